// The output's time line: consecutive feeds follow each other, overlapping ones are mixed.
#include "platform/gst/MixQueue.h"

#include <gtest/gtest.h>

#include <vector>

using tavi::gst::MixQueue;

namespace {

std::vector<int16_t> Frames(size_t count, int16_t value) {
    return std::vector<int16_t>(count * 2, value);
}

std::vector<int16_t> TakeAll(MixQueue& queue) {
    std::vector<int16_t> out(queue.Queued() * 2);
    queue.Take(out.data(), queue.Queued());
    return out;
}

}  // namespace

TEST(MixQueue, ALaneStartedAfterTheOthersEndedFollowsTheirSound) {
    MixQueue queue(MixQueue::MixStart::Front);
    const MixQueue::Lane a = MixQueue::NewLane();
    const MixQueue::Lane b = MixQueue::NewLane();
    EXPECT_EQ(queue.Place(a, Frames(100, 1000).data(), 100), 100u);
    queue.EndLane(a);
    std::vector<int16_t> first(40 * 2);
    queue.Take(first.data(), 40);  // the device has heard part of a
    EXPECT_EQ(queue.AheadOf(b), 60u) << "b waits behind a's tail";
    EXPECT_EQ(queue.Place(b, Frames(50, 7).data(), 50), 150u);
    const std::vector<int16_t> rest = TakeAll(queue);
    ASSERT_EQ(rest.size(), 110u * 2);
    EXPECT_EQ(rest[59 * 2], 1000);
    EXPECT_EQ(rest[60 * 2], 7);
}

TEST(MixQueue, ALaneStartedWhileAnotherRunsIsMixedFromTheFrontWithClipping) {
    MixQueue queue(MixQueue::MixStart::Front);
    const MixQueue::Lane a = MixQueue::NewLane();
    const MixQueue::Lane b = MixQueue::NewLane();
    queue.Place(a, Frames(100, 30000).data(), 100);
    std::vector<int16_t> heard(10 * 2);
    queue.Take(heard.data(), 10);
    EXPECT_EQ(queue.Place(b, Frames(200, 5000).data(), 200), 210u) << "b starts now";
    queue.Place(a, Frames(20, -30000).data(), 20);  // a goes on where it was
    const std::vector<int16_t> out = TakeAll(queue);
    ASSERT_EQ(out.size(), 200u * 2);
    EXPECT_EQ(out[0], 32767) << "clipped, not wrapped";
    EXPECT_EQ(out[95 * 2], -25000);
    EXPECT_EQ(out[150 * 2], 5000);
}

TEST(MixQueue, AnOutputWithoutPaceWritesOnlyWhatEveryRunningLaneHasPassed) {
    MixQueue queue(MixQueue::MixStart::Reached);
    const MixQueue::Lane a = MixQueue::NewLane();
    const MixQueue::Lane b = MixQueue::NewLane();
    queue.Place(a, Frames(100, 100).data(), 100);
    EXPECT_EQ(queue.Reached(), 100u) << "one lane: complete at once";
    TakeAll(queue);
    queue.Place(b, Frames(30, 1).data(), 30);  // starts where a has come to
    EXPECT_EQ(queue.Reached(), 100u) << "a may still add to what b queued";
    queue.Place(a, Frames(50, 100).data(), 50);
    EXPECT_EQ(queue.Reached(), 130u);
    std::vector<int16_t> out(30 * 2);
    queue.Take(out.data(), 30);
    EXPECT_EQ(out[0], 101);
    queue.ForgetLane(a);
    queue.EndLane(b);
    EXPECT_EQ(queue.Reached(), queue.End()) << "nothing runs: everything is complete";
}

TEST(MixQueue, ClearDropsTheSoundAndEveryLaneGoesOnFromTheFront) {
    MixQueue queue(MixQueue::MixStart::Front);
    const MixQueue::Lane a = MixQueue::NewLane();
    queue.Place(a, Frames(100, 5).data(), 100);
    queue.Place(MixQueue::kSequential, Frames(10, 9).data(), 10);
    EXPECT_EQ(queue.End(), 110u) << "pushes of no lane go after everything";
    queue.Clear();
    EXPECT_EQ(queue.Queued(), 0u);
    EXPECT_EQ(queue.Front(), 110u);
    EXPECT_EQ(queue.Place(a, Frames(5, 5).data(), 5), 115u);
}

// Two lanes overlapping, one behind the other, then a flush (a seek during a crossfade): the
// lane that was behind must not leave what is complete behind the front, or an output that
// writes at once would count a negative stretch as complete.
TEST(MixQueue, AfterClearALaneThatWasBehindStartsAtTheFrontAndNothingIsOwed) {
    MixQueue queue(MixQueue::MixStart::Reached);
    const MixQueue::Lane a = MixQueue::NewLane();
    const MixQueue::Lane b = MixQueue::NewLane();
    queue.Place(a, Frames(100, 5).data(), 100);
    queue.Place(b, Frames(30, 7).data(), 30);  // b mixes in from where a stands: 100
    queue.Place(a, Frames(50, 5).data(), 50);  // a runs on to 150, b is behind at 130
    queue.Clear();
    EXPECT_EQ(queue.Front(), 150u);
    EXPECT_EQ(queue.Reached(), queue.Front());
    EXPECT_EQ(queue.AheadOf(b), 0u);
    EXPECT_EQ(queue.Place(b, Frames(10, 7).data(), 10), 160u);
    EXPECT_EQ(queue.Reached(), 150u) << "a has placed nothing since";
}

// A crossfade's next track is given its start under the end of the one playing: it waits
// there, holds back what is complete, and its sound lands exactly there.
TEST(MixQueue, ALaneGivenAStartBeginsThereAndHoldsBackWhatIsComplete) {
    MixQueue queue(MixQueue::MixStart::Reached);
    const MixQueue::Lane a = MixQueue::NewLane();
    const MixQueue::Lane b = MixQueue::NewLane();
    queue.Place(a, Frames(100, 1000).data(), 100);
    queue.StartLaneAt(b, 160);
    EXPECT_EQ(queue.AheadOf(b), 160u);
    queue.Place(a, Frames(100, 1000).data(), 100);
    EXPECT_EQ(queue.Reached(), 160u) << "b has yet to fill from 160 on";
    queue.StartLaneAt(b, 10);  // a lane with a place keeps it
    EXPECT_EQ(queue.Place(b, Frames(20, 7).data(), 20), 180u);
    const std::vector<int16_t> all = TakeAll(queue);
    EXPECT_EQ(all[159 * 2], 1000);
    EXPECT_EQ(all[160 * 2], 1007);
    EXPECT_EQ(all[180 * 2], 1000);
    queue.StartLaneAt(MixQueue::NewLane(), 0);
    EXPECT_EQ(queue.Reached(), queue.Front()) << "a start in the past is the front";
}
