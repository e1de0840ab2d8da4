// Pause entries against a clock the test drives: the end is reported once the driven time
// reaches it, and never before, however late the worker's ticks come.
#include "TrackRecorder.h"
#include "engines/TrackFactory.h"
#include "engines/pause/CPauseTrack.h"
#include "support/QtApp.h"

#include <gtest/gtest.h>

#include <atomic>

using tavi::engines::CPauseThread;
using tavi::engines::CPauseTrack;
using tavi::test::processEventsFor;
using tavi::test::processEventsUntil;

namespace {

constexpr int kGenerousMs = 10000;

class PauseTrack : public testing::Test {
protected:
    void SetUp() override { tavi::test::coreApplication(); }

    std::unique_ptr<tavi::engines::CMediaTrack> open(const QString& name) {
        auto track = tavi::engines::CreateTrackForFile(name, &recorder);
        dynamic_cast<CPauseTrack&>(*track).SetClock([this] { return now.load(); });
        track->Open(name);
        return track;
    }
    void setTime(int64_t ms) { now = ms; }
    bool waitForReports(size_t count) {
        return processEventsUntil([&] { return recorder.reports.size() >= count; }, kGenerousMs);
    }
    // Gives the worker several ticks to report, when it must not.
    size_t reportsAfterSomeTicks() {
        processEventsFor(3 * CPauseThread::kTickMilliseconds);
        return recorder.reports.size();
    }

    std::atomic<int64_t> now = 0;
    tavi::test::TrackRecorder recorder;
};

}  // namespace

TEST(PauseLength, ComesFromTheNumberInTheName) {
    struct Case {
        const char* name;
        long seconds;
    };
    const Case cases[] = {{"10.pause", 10}, {"/any/folder/3.PAUSE", 3}, {"0.pause", 0},
                          {"-2.pause", -2}, {"short.pause", 1},         {"7 minutes.pause", 7},
                          {".pause", 1}};
    for (const Case& c : cases) {
        EXPECT_EQ(CPauseTrack::LengthFromName(QString::fromUtf8(c.name)), c.seconds) << c.name;
    }
}

TEST_F(PauseTrack, EndsWhenItsLengthHasPassedAndReportsOnce) {
    auto track = open(QStringLiteral("1.pause"));
    EXPECT_EQ(track->GetLength(), 1.0);
    EXPECT_TRUE(track->IsStopped());
    track->Play();
    EXPECT_TRUE(track->IsPlaying());
    setTime(999);
    EXPECT_EQ(reportsAfterSomeTicks(), 0u) << "ended before its length";
    setTime(1000);
    ASSERT_TRUE(waitForReports(1));
    EXPECT_EQ(reportsAfterSomeTicks(), 1u);
    EXPECT_TRUE(recorder.reports.front().ended);
    EXPECT_EQ(recorder.reports.front().track, track.get());
    EXPECT_TRUE(track->IsPlaying()) << "the player, not the pause, stops the track";
}

TEST_F(PauseTrack, ZeroLengthEndsAtTheFirstTick) {
    auto track = open(QStringLiteral("0.pause"));
    track->Play();
    ASSERT_TRUE(waitForReports(1));
    EXPECT_TRUE(recorder.reports.front().ended);
}

TEST_F(PauseTrack, PausingFreezesThePositionAndDelaysTheEnd) {
    auto track = open(QStringLiteral("1.pause"));
    track->Play();
    setTime(300);
    track->Pause();
    EXPECT_TRUE(track->IsPaused());
    EXPECT_DOUBLE_EQ(track->GetPosition(), 0.3);
    setTime(5000);
    EXPECT_DOUBLE_EQ(track->GetPosition(), 0.3);
    EXPECT_EQ(reportsAfterSomeTicks(), 0u) << "a paused pause must not end";
    track->Resume();
    EXPECT_TRUE(track->IsPlaying());
    setTime(5699);
    EXPECT_EQ(reportsAfterSomeTicks(), 0u) << "the time paused counted";
    setTime(5700);
    ASSERT_TRUE(waitForReports(1));
}

TEST_F(PauseTrack, SeekShortensOrLengthensTheRunInAnyState) {
    auto track = open(QStringLiteral("10.pause"));
    track->Play();
    setTime(200);
    track->Seek(8.5);
    EXPECT_DOUBLE_EQ(track->GetPosition(), 8.5);
    setTime(200 + 1499);
    EXPECT_EQ(reportsAfterSomeTicks(), 0u);
    setTime(200 + 1500);
    ASSERT_TRUE(waitForReports(1));

    auto paused = open(QStringLiteral("2.pause"));
    recorder.reports.clear();
    paused->Play();
    paused->Pause();
    paused->Seek(1.5);
    EXPECT_EQ(paused->GetPosition(), 1.5);
    setTime(10000);
    EXPECT_EQ(paused->GetPosition(), 1.5) << "a seek while paused stays paused";
    paused->Resume();
    setTime(10499);
    EXPECT_EQ(reportsAfterSomeTicks(), 0u);
    setTime(10500);
    ASSERT_TRUE(waitForReports(1));
    EXPECT_EQ(recorder.reports.front().track, paused.get());
}

TEST_F(PauseTrack, StopAndCloseNeverReportAnEnd) {
    auto track = open(QStringLiteral("0.pause"));
    track->Play();
    track->Stop();
    EXPECT_TRUE(track->IsStopped());
    track->Play();
    track->Pause();
    track->Close();  // while paused: the worker must still be ended
    setTime(1000);
    EXPECT_EQ(reportsAfterSomeTicks(), 0u);
    track->Close();  // a second close (as the destructor does) is harmless
}

TEST_F(PauseTrack, PlayRestartsFromTheBeginningAndAFinishedRunCanBeReplayed) {
    auto track = open(QStringLiteral("1.pause"));
    track->Play();
    setTime(500);
    track->Play();
    EXPECT_EQ(track->GetPosition(), 0.0);
    setTime(1499);
    EXPECT_EQ(reportsAfterSomeTicks(), 0u) << "the restart counts from the new start";
    setTime(1500);
    ASSERT_TRUE(waitForReports(1));
    track->Seek(0);
    track->Play();
    setTime(2500);
    ASSERT_TRUE(waitForReports(2));
}
