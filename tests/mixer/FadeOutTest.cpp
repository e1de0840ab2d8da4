// The fade against a schedule the test runs step by step, and once on the event loop.
#include "mixer/FadeOut.h"
#include "platform/mixer/CMixer.h"
#include "support/ManualSchedule.h"
#include "support/PulseAudioServer.h"
#include "support/QtApp.h"
#include "support/SettledVolume.h"

#include <gtest/gtest.h>

#include <QStringList>

using namespace tavi::mixer;
using tavi::test::settledVolume;

namespace {

constexpr uint32_t kStart = 40000;
constexpr uint32_t kStep = kStart / FadeOut::kSteps;

class Fade : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server.isReady());
        observer.emplace();
        observer->Set(kStart);
        ASSERT_EQ(settledVolume(*observer, kStart), kStart);
    }
    // Records the stop and the end with the volume the server shows then.
    void start(FadeOut& fade, uint32_t expectedAtStop = 0) {
        fade.Start(
            [this, expectedAtStop] {
                events << QStringLiteral("stop");
                volumeAtStop = settledVolume(*observer, expectedAtStop);
            },
            [this](bool faded) {
                events << (faded ? QStringLiteral("done") : QStringLiteral("failed"));
                volumeAtDone = settledVolume(*observer, kStart);
            });
    }

    tavi::test::PulseAudioServer server;
    std::optional<MasterVolume> observer;
    tavi::test::ManualSchedule clock;
    QStringList events;
    uint32_t volumeAtStop = 1;
    uint32_t volumeAtDone = 0;
};

}  // namespace

TEST_F(Fade, LowersInTwentyEqualStepsThenStopsRestoresAndGoesOn) {
    FadeOut fade(clock.schedule());
    start(fade);
    EXPECT_TRUE(fade.IsRunning()) << "Start returns at once";
    for (uint32_t step = 1; step <= FadeOut::kSteps; ++step) {
        EXPECT_EQ(settledVolume(*observer, kStart - kStep * step), kStart - kStep * step);
        EXPECT_TRUE(events.isEmpty()) << "stopped before the last step's wait, step " << step;
        ASSERT_TRUE(clock.runNext());
    }
    EXPECT_EQ(events, (QStringList{QStringLiteral("stop"), QStringLiteral("done")}));
    EXPECT_EQ(volumeAtStop, 0u);
    EXPECT_EQ(volumeAtDone, kStart) << "the volume is back before the command goes on";
    EXPECT_EQ(clock.delays, std::vector<int>(FadeOut::kSteps, FadeOut::kStepMilliseconds));
    EXPECT_FALSE(fade.IsRunning());
    EXPECT_TRUE(clock.pending.empty());
}

TEST_F(Fade, FinishingEarlyStopsNowAndAStaleStepDoesNothing) {
    FadeOut fade(clock.schedule());
    start(fade, kStart - 3 * kStep);
    clock.runNext();
    clock.runNext();
    start(fade);  // ignored while running
    fade.Finish();
    EXPECT_EQ(events, (QStringList{QStringLiteral("stop"), QStringLiteral("done")}));
    EXPECT_EQ(volumeAtStop, kStart - 3 * kStep) << "stopped where the fade was";
    EXPECT_EQ(volumeAtDone, kStart);
    clock.runAll();  // the step still scheduled belongs to the finished run
    EXPECT_EQ(events.size(), 2);
    EXPECT_EQ(settledVolume(*observer, kStart), kStart);

    events.clear();
    start(fade);  // a new run after a finished one
    EXPECT_TRUE(fade.IsRunning());
    clock.runAll();
    EXPECT_EQ(events, (QStringList{QStringLiteral("stop"), QStringLiteral("done")}));
}

TEST_F(Fade, ADroppedFadeOnlyPutsTheVolumeBack) {
    {
        FadeOut fade(clock.schedule());
        start(fade);
        clock.runNext();
        ASSERT_EQ(settledVolume(*observer, kStart - 2 * kStep), kStart - 2 * kStep);
    }
    EXPECT_EQ(settledVolume(*observer, kStart), kStart);
    EXPECT_TRUE(events.isEmpty());
}

TEST_F(Fade, RunsItsStepsFromTheEventLoopByDefault) {
    tavi::test::coreApplication();
    FadeOut fade;
    start(fade);
    EXPECT_TRUE(fade.IsRunning());
    EXPECT_TRUE(events.isEmpty());
    ASSERT_TRUE(tavi::test::processEventsUntil([&] { return !fade.IsRunning(); }, 20000));
    EXPECT_EQ(events, (QStringList{QStringLiteral("stop"), QStringLiteral("done")}));
    EXPECT_EQ(volumeAtStop, 0u);
    EXPECT_EQ(volumeAtDone, kStart);
}

TEST(FadeOut, WithoutAMixerStopsAtOnceAndSaysSo) {
    QTemporaryDir empty;
    tavi::test::withoutAnySoundServer(empty);
    tavi::test::ManualSchedule clock;
    FadeOut fade(clock.schedule());
    QStringList events;
    fade.Start(
        [&] { events << QStringLiteral("stop"); },
        [&](bool faded) { events << (faded ? QStringLiteral("done") : QStringLiteral("failed")); });
    EXPECT_EQ(events, (QStringList{QStringLiteral("stop"), QStringLiteral("failed")}));
    EXPECT_FALSE(fade.IsRunning());
    EXPECT_TRUE(clock.pending.empty());
}

// The way back from a pause: silence, the track plays on at once, then 20 steps up to the
// volume as it was, the last landing on it exactly; steps of the length asked for.
TEST_F(Fade, ARiseStartsFromSilenceResumesAtOnceAndEndsOnTheVolumeAsItWas) {
    FadeOut fade(clock.schedule());
    uint32_t volumeAtResume = 1;
    fade.StartRise(
        [&] {
            events << QStringLiteral("resume");
            volumeAtResume = settledVolume(*observer, 0);
        },
        [&](bool faded) { events << (faded ? QStringLiteral("done") : QStringLiteral("failed")); },
        15);
    EXPECT_EQ(events, QStringList{QStringLiteral("resume")});
    EXPECT_EQ(volumeAtResume, 0u);
    EXPECT_TRUE(fade.IsRising());
    for (uint32_t step = 1; step < FadeOut::kSteps; ++step) {
        ASSERT_TRUE(clock.runNext());
        EXPECT_EQ(settledVolume(*observer, kStep * step), kStep * step) << "step " << step;
    }
    ASSERT_TRUE(clock.runNext());
    EXPECT_EQ(events, (QStringList{QStringLiteral("resume"), QStringLiteral("done")}));
    EXPECT_EQ(settledVolume(*observer, kStart), kStart);
    EXPECT_FALSE(fade.IsRunning());
    EXPECT_EQ(clock.delays, std::vector<int>(FadeOut::kSteps, 15));
    EXPECT_TRUE(clock.pending.empty());
}

// A fall over a length of its own; dropped half way, nothing is called and the volume is
// back; a rise finished early is at the volume at once.
TEST_F(Fade, AFallOfItsOwnLengthCanBeDroppedAndARiseFinishedEarly) {
    FadeOut fade(clock.schedule());
    fade.Start([this] { events << QStringLiteral("stop"); },
               [this](bool) { events << QStringLiteral("done"); }, 7);
    clock.runNext();
    clock.runNext();
    EXPECT_EQ(settledVolume(*observer, kStart - 3 * kStep), kStart - 3 * kStep);
    fade.Cancel();
    EXPECT_TRUE(events.isEmpty());
    EXPECT_EQ(settledVolume(*observer, kStart), kStart);
    clock.runAll();
    EXPECT_TRUE(events.isEmpty()) << "a dropped fade's steps do nothing";
    EXPECT_EQ(clock.delays, std::vector<int>(3, 7));

    fade.StartRise([this] { events << QStringLiteral("resume"); },
                   [this](bool) { events << QStringLiteral("done"); }, 7);
    clock.runNext();
    fade.Finish();
    EXPECT_EQ(events, (QStringList{QStringLiteral("resume"), QStringLiteral("done")}));
    EXPECT_EQ(settledVolume(*observer, kStart), kStart);
}

TEST(FadeOut, WithoutAMixerARiseResumesAtOnceAndSaysSo) {
    QTemporaryDir empty;
    tavi::test::withoutAnySoundServer(empty);
    tavi::test::ManualSchedule clock;
    FadeOut fade(clock.schedule());
    QStringList events;
    fade.StartRise(
        [&] { events << QStringLiteral("resume"); },
        [&](bool faded) { events << (faded ? QStringLiteral("done") : QStringLiteral("failed")); },
        15);
    EXPECT_EQ(events, (QStringList{QStringLiteral("resume"), QStringLiteral("failed")}));
    EXPECT_FALSE(fade.IsRunning());
    EXPECT_TRUE(clock.pending.empty());
}
