#include "mixer/FadeOut.h"
#include "platform/mixer/CMixer.h"
#include "support/PulseAudioServer.h"

#include <gtest/gtest.h>

#include <QThread>

#include <vector>

using namespace tavi::mixer;

namespace {

// The sound server applies a change made through another client a moment later; read until
// the expected value shows or a generous time has passed.
uint32_t settledVolume(MasterVolume& observer, uint32_t expected) {
    uint32_t value = observer.Get();
    for (int i = 0; i < 100 && value != expected; ++i) {
        QThread::msleep(2);
        value = observer.Get();
    }
    return value;
}

}  // namespace

TEST(FadeOut, LowersInTwentyEqualStepsStopsAndRestores) {
    tavi::test::PulseAudioServer server;
    ASSERT_TRUE(server.isReady());
    MasterVolume observer;
    observer.Set(40000);

    std::vector<uint32_t> steps;
    int stops = 0;
    uint32_t volumeAtStop = 0;
    bool fadeOut = true;
    const bool faded = FadeOut::FadeOutAndStop(
        [&] {
            ++stops;
            volumeAtStop = settledVolume(observer, 0);
        },
        fadeOut,
        [&](int ms) {
            EXPECT_EQ(ms, 25);
            steps.push_back(settledVolume(observer, 40000u - 2000u * uint32_t(steps.size() + 1)));
        });

    EXPECT_TRUE(faded);
    EXPECT_TRUE(fadeOut);
    ASSERT_EQ(steps.size(), 20u);
    for (size_t i = 0; i < steps.size(); ++i) {
        EXPECT_EQ(steps[i], 40000u - 2000u * (i + 1));
    }
    EXPECT_EQ(stops, 1);
    EXPECT_EQ(volumeAtStop, 0u);
    EXPECT_EQ(settledVolume(observer, 40000), 40000u);
}

TEST(FadeOut, WithoutAMixerSwitchesFadingOffAndStopsAtOnce) {
    QTemporaryDir empty;
    tavi::test::withoutAnySoundServer(empty);
    int stops = 0;
    int sleeps = 0;
    bool fadeOut = true;
    EXPECT_FALSE(FadeOut::FadeOutAndStop([&] { ++stops; }, fadeOut, [&](int) { ++sleeps; }));
    EXPECT_FALSE(fadeOut);
    EXPECT_EQ(stops, 1);
    EXPECT_EQ(sleeps, 0);
}
