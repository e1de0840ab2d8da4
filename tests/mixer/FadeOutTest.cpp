#include "mixer/FadeOut.h"
#include "platform/mixer/CMixer.h"
#include "support/PulseAudioServer.h"

#include <gtest/gtest.h>

#include <vector>

using namespace tavi::mixer;

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
            volumeAtStop = observer.Get();
        },
        fadeOut,
        [&](int ms) {
            EXPECT_EQ(ms, 25);
            steps.push_back(observer.Get());
        });

    EXPECT_TRUE(faded);
    EXPECT_TRUE(fadeOut);
    ASSERT_EQ(steps.size(), 20u);
    for (size_t i = 0; i < steps.size(); ++i) {
        EXPECT_EQ(steps[i], 40000u - 2000u * (i + 1));
    }
    EXPECT_EQ(stops, 1);
    EXPECT_EQ(volumeAtStop, 0u);
    EXPECT_EQ(observer.Get(), 40000u);
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
