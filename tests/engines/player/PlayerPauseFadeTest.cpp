// Pause and resume with their fade against a real mixer, the steps run by the test: the
// volume falls over the set time before the pause and rises from silence after the
// resume; off, nothing changes; stops and second presses during a fade leave a sane player.
#include "app/settings/PlaybackSettings.h"
#include "engines/player/CPlayer.h"
#include "support/ListHost.h"
#include "support/ManualSchedule.h"
#include "support/PlaybackEnvironment.h"
#include "support/PulseAudioServer.h"
#include "support/QtApp.h"
#include "support/SettledVolume.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <numeric>

using namespace tavi::engines;
using tavi::mixer::FadeOut;
using tavi::settings::playbackSettings;
using tavi::test::settledVolume;

namespace {

constexpr uint32_t kStart = 40000;
constexpr uint32_t kStep = kStart / FadeOut::kSteps;

class PauseFade : public testing::Test {
protected:
    void SetUp() override {
        tavi::test::PrepareForPlayback();
        if (!server.isReady()) {
            GTEST_SKIP() << "PulseAudio could not be started";
        }
        playbackSettings().fadePause = true;
        playbackSettings().fadePauseMs = 400;
        observer.emplace();
        observer->Set(kStart);
        ASSERT_EQ(settledVolume(*observer, kStart), kStart);
        host = std::make_unique<tavi::test::ListHost>(
            QStringList{QStringLiteral("30.pause"), QStringLiteral("30.pause")}, 0);
        player = std::make_unique<CPlayer>(*host);
        player->SetFadeSchedule(clock.schedule());
        player->PlayCommand();
        ASSERT_TRUE(player->IsPlaying());
    }
    void TearDown() override {
        if (host) {
            host->CloseCurrentTrack();
        }
    }
    bool paused() const { return host->current && host->current->IsPaused(); }
    int scheduledMs() const { return std::accumulate(clock.delays.begin(), clock.delays.end(), 0); }

    tavi::test::PulseAudioServer server;
    std::optional<tavi::mixer::MasterVolume> observer;
    tavi::test::ManualSchedule clock;
    std::unique_ptr<tavi::test::ListHost> host;
    std::unique_ptr<CPlayer> player;
};

}  // namespace

TEST_F(PauseFade, PauseFallsOverTheSetTimeAndResumeRisesFromSilence) {
    player->PauseCommand();
    EXPECT_TRUE(player->IsPauseFading());
    for (uint32_t step = 1; step <= FadeOut::kSteps; ++step) {
        EXPECT_EQ(settledVolume(*observer, kStart - kStep * step), kStart - kStep * step);
        EXPECT_FALSE(paused()) << "paused before the last step's wait, step " << step;
        ASSERT_TRUE(clock.runNext());
    }
    EXPECT_TRUE(paused());
    EXPECT_FALSE(player->IsPauseFading());
    EXPECT_EQ(settledVolume(*observer, kStart), kStart) << "the volume is back while paused";
    EXPECT_EQ(scheduledMs(), 400);

    player->PauseCommand();
    EXPECT_FALSE(paused()) << "plays on at once";
    EXPECT_EQ(settledVolume(*observer, 0), 0u) << "from silence";
    for (uint32_t step = 1; step < FadeOut::kSteps; ++step) {
        ASSERT_TRUE(clock.runNext());
        EXPECT_EQ(settledVolume(*observer, kStep * step), kStep * step);
    }
    ASSERT_TRUE(clock.runNext());
    EXPECT_FALSE(player->IsPauseFading());
    EXPECT_EQ(settledVolume(*observer, kStart), kStart);
    EXPECT_EQ(scheduledMs(), 800);
    EXPECT_TRUE(clock.pending.empty());
    EXPECT_TRUE(player->IsPlaying());
}

TEST_F(PauseFade, OffPausesAndResumesAtOnceWithoutTouchingTheVolume) {
    playbackSettings().fadePause = false;
    player->PauseCommand();
    EXPECT_TRUE(paused());
    player->PauseCommand();
    EXPECT_FALSE(paused());
    EXPECT_TRUE(clock.delays.empty());
    EXPECT_EQ(settledVolume(*observer, kStart), kStart);
}

// A second press during the fall finishes the pause and resumes with a rise; a stop during
// any fade stops at once with the volume back, and the fade's last step does nothing.
TEST_F(PauseFade, PressesAndStopsDuringAFadeLeaveASanePlayer) {
    player->PauseCommand();
    clock.runNext();
    player->PauseCommand();
    EXPECT_FALSE(paused());
    EXPECT_TRUE(player->IsPauseFading()) << "rising";
    EXPECT_EQ(settledVolume(*observer, 0), 0u);

    player->StopCommand();
    EXPECT_FALSE(player->IsPlaying());
    EXPECT_FALSE(player->IsPauseFading());
    EXPECT_EQ(settledVolume(*observer, kStart), kStart);
    clock.runAll();
    EXPECT_EQ(settledVolume(*observer, kStart), kStart);

    player->PlayCommand();
    player->PauseCommand();
    clock.runNext();
    player->StopCommand();
    clock.runAll();
    EXPECT_FALSE(player->IsPlaying());
    EXPECT_EQ(settledVolume(*observer, kStart), kStart);
    player->PlayCommand();
    EXPECT_FALSE(paused()) << "the dropped pause does not reach the next track";
}

TEST(PauseFadeWithoutMixer, PausesAtOnceAndSwitchesTheFadeOff) {
    tavi::test::PrepareForPlayback();
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    const QByteArray server = qgetenv("PULSE_SERVER");
    QTemporaryDir empty;
    tavi::test::withoutAnySoundServer(empty);
    playbackSettings().fadePause = true;
    tavi::test::ListHost host({QStringLiteral("30.pause")}, 0);
    CPlayer player(host);
    tavi::test::ManualSchedule clock;
    player.SetFadeSchedule(clock.schedule());
    player.PlayCommand();
    player.PauseCommand();
    EXPECT_TRUE(host.current->IsPaused()) << "the pause is never lost";
    EXPECT_FALSE(playbackSettings().fadePause);
    host.CloseCurrentTrack();
    qputenv("XDG_RUNTIME_DIR", runtime);
    server.isNull() ? qunsetenv("PULSE_SERVER") : qputenv("PULSE_SERVER", server);
}
