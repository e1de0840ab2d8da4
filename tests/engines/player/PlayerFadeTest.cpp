// Stopping with the fade against a real mixer, with the fade's steps run by the test: what
// happens during the fade, at its end, and to commands that come while it runs.
#include "app/settings/PlayerSettings.h"
#include "engines/player/CPlayer.h"
#include "engines/player/PlayModes.h"
#include "support/ListHost.h"
#include "support/ManualSchedule.h"
#include "support/PlaybackEnvironment.h"
#include "support/PulseAudioServer.h"
#include "support/QtApp.h"
#include "support/SettledVolume.h"

#include <gtest/gtest.h>

using namespace tavi::engines;
using tavi::mixer::FadeOut;
using tavi::test::settledVolume;

namespace {

constexpr uint32_t kStart = 40000;

class PlayerFade : public testing::Test {
protected:
    void SetUp() override {
        tavi::test::PrepareForPlayback();
        if (!server.isReady()) {
            GTEST_SKIP() << "PulseAudio could not be started";
        }
        tavi::settings::playerSettings().fadeOut = true;
        observer.emplace();
        observer->Set(kStart);
        ASSERT_EQ(settledVolume(*observer, kStart), kStart);
    }
    void TearDown() override {
        if (host) {
            host->CloseCurrentTrack();
        }
    }
    void make(QStringList entries) {
        host = std::make_unique<tavi::test::ListHost>(std::move(entries), 0);
        player = std::make_unique<CPlayer>(*host);
        player->SetFadeSchedule(clock.schedule());
    }
    // Runs all but the last step: the volume is down, the track still plays.
    void fadeToTheLastStep() {
        for (int step = 1; step < FadeOut::kSteps; ++step) {
            ASSERT_TRUE(clock.runNext());
        }
    }

    tavi::test::PulseAudioServer server;
    std::optional<tavi::mixer::MasterVolume> observer;
    tavi::test::ManualSchedule clock;
    std::unique_ptr<tavi::test::ListHost> host;
    std::unique_ptr<CPlayer> player;
};

const QStringList kLongPauses{QStringLiteral("5.pause"), QStringLiteral("6.pause"),
                              QStringLiteral("7.pause")};

}  // namespace

TEST_F(PlayerFade, NextFadesOutStopsRestoresTheVolumeAndThenPlaysTheNextEntry) {
    make(kLongPauses);
    player->PlayCommand();
    player->NextCommand();
    EXPECT_TRUE(player->IsFading()) << "Next returned during the fade";
    fadeToTheLastStep();
    EXPECT_EQ(settledVolume(*observer, 0), 0u);
    EXPECT_TRUE(player->IsPlaying());
    EXPECT_EQ(host->startedAt, (QList<int>{0}));
    EXPECT_EQ(host->selection, 0) << "the selection moves only after the fade";
    ASSERT_TRUE(clock.runNext());
    EXPECT_FALSE(player->IsFading());
    EXPECT_EQ(settledVolume(*observer, kStart), kStart);
    EXPECT_EQ(host->startedAt, (QList<int>{0, 1}));
    EXPECT_TRUE(clock.pending.empty());
}

TEST_F(PlayerFade, ASecondStopIsIgnoredAndAStopDuringNextLeavesThePlayerStopped) {
    make(kLongPauses);
    player->PlayCommand();
    player->ExecuteCommand(playercmd::kStopFaded);
    clock.runNext();
    player->ExecuteCommand(playercmd::kStopFaded);
    EXPECT_EQ(clock.pending.size(), 1u) << "no second fade";
    clock.runAll();
    EXPECT_FALSE(player->IsPlaying());
    EXPECT_EQ(settledVolume(*observer, kStart), kStart);

    player->PlayCommand();
    player->NextCommand();
    clock.runNext();
    player->ExecuteCommand(playercmd::kStopFaded);
    clock.runAll();
    EXPECT_FALSE(player->IsPlaying()) << "Next's rest was dropped by the stop";
    EXPECT_EQ(host->selection, 0);

    player->PlayCommand();
    player->NextCommand();
    player->StopCommand();
    EXPECT_FALSE(player->IsFading()) << "a plain stop ends the fade at once";
    EXPECT_FALSE(player->IsPlaying());
    EXPECT_EQ(host->selection, 0);
    EXPECT_EQ(settledVolume(*observer, kStart), kStart);
    EXPECT_EQ(host->started.size(), 3);
}

TEST_F(PlayerFade, PlayDuringAFadeFinishesTheStopFirstThenPlays) {
    make(kLongPauses);
    player->PlayCommand();
    player->ExecuteCommand(playercmd::kStopFaded);
    clock.runNext();
    player->PlayCommand();
    EXPECT_FALSE(player->IsFading());
    EXPECT_EQ(settledVolume(*observer, kStart), kStart);
    ASSERT_TRUE(player->IsPlaying());
    EXPECT_EQ(host->started.size(), 2) << "stopped, then started anew";
    clock.runAll();  // the finished fade's step does nothing
    EXPECT_TRUE(player->IsPlaying());
}

TEST_F(PlayerFade, ATrackThatEndsDuringTheFadeEndsItAndTheCommandGoesOn) {
    make({QStringLiteral("0.pause"), QStringLiteral("5.pause")});
    player->PlayCommand();
    player->NextCommand();
    ASSERT_TRUE(player->IsFading());
    ASSERT_TRUE(tavi::test::processEventsUntil([&] { return !player->IsFading(); }, 10000));
    EXPECT_EQ(host->startedAt, (QList<int>{0, 1})) << "Next's rest, not the end's, chose";
    EXPECT_EQ(settledVolume(*observer, kStart), kStart);
}
