#include "app/settings/PlayerSettings.h"
#include "engines/player/CPlayer.h"
#include "support/ListHost.h"
#include "support/PlaybackEnvironment.h"
#include "support/QtApp.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

using namespace tavi::engines;
using tavi::test::ListHost;
using tavi::test::processEventsFor;
using tavi::test::processEventsUntil;

namespace {

QStringList pauses(std::initializer_list<const char*> names) {
    QStringList list;
    for (const char* name : names) {
        list.append(QString::fromLatin1(name));
    }
    return list;
}

class Player : public testing::Test {
protected:
    void SetUp() override { tavi::test::PrepareForPlayback(); }
    void TearDown() override { host->CloseCurrentTrack(); }

    void make(QStringList entries, int selection = 0) {
        host = std::make_unique<ListHost>(std::move(entries), selection);
        player = std::make_unique<CPlayer>(*host);
    }
    bool waitStopped(int timeoutMs) {
        return processEventsUntil([&] { return !player->IsPlaying(); }, timeoutMs);
    }
    bool waitStarts(int count, int timeoutMs) {
        return processEventsUntil([&] { return host->started.size() >= count; }, timeoutMs);
    }

    std::unique_ptr<ListHost> host;
    std::unique_ptr<CPlayer> player;
};

}  // namespace

TEST_F(Player, NormalModePlaysToTheEndThenSelectsTheFirstEntry) {
    make(pauses({"0.pause", "0.PAUSE", "0.Pause"}), 0);
    player->PlayCommand();
    ASSERT_TRUE(waitStopped(10000));
    processEventsFor(150);
    EXPECT_EQ(host->startedAt, (QList<int>{0, 1, 2}));
    EXPECT_FALSE(player->IsPlaying());
    EXPECT_EQ(host->selection, 0);
}

TEST_F(Player, RepeatModeStartsOverAndRepeatsAOneEntryList) {
    make(pauses({"0.pause", "0.pause"}), 1);
    player->SetMode(ModeRepeat);
    player->PlayCommand();
    ASSERT_TRUE(waitStarts(4, 10000));
    EXPECT_EQ(host->startedAt.mid(0, 4), (QList<int>{1, 0, 1, 0}));

    make(pauses({"0.pause"}), 0);
    player->SetMode(ModeRepeat);
    player->PlayCommand();
    ASSERT_TRUE(waitStarts(3, 10000));
    EXPECT_TRUE(player->IsPlaying());
    EXPECT_EQ(player->NextEntryIndex(), 0);
}

TEST_F(Player, ShuffleModeReshufflesAtTheEndAndPlaysTheNewFirst) {
    make(pauses({"0.pause", "1a.pause", "2b.pause"}), 2);
    player->SetMode(ModeShuffle);
    player->PlayCommand();
    ASSERT_TRUE(waitStarts(2, 10000));
    EXPECT_EQ(host->shuffles, 1);
    EXPECT_EQ(host->startedAt[1], 0);
    EXPECT_EQ(host->started[1], host->entries[0]);
}

TEST_F(Player, RandomModeDrawsFromTheWholeListAndDoubleClickLeavesIt) {
    make(pauses({"0.pause", "0.pause", "0.pause", "0.pause"}), 0);
    player->SetMode(ModeRandom);
    EXPECT_EQ(player->NextEntryIndex(), -1);
    player->PlayCommand();
    ASSERT_TRUE(waitStarts(12, 10000));
    QList<int> seen = host->startedAt;
    std::sort(seen.begin(), seen.end());
    seen.erase(std::unique(seen.begin(), seen.end()), seen.end());
    EXPECT_GE(seen.size(), 3) << "random play keeps drawing different entries";
    host->selection = 3;
    player->PlayDoubleClicked();
    EXPECT_EQ(player->GetMode(), ModeNormal);
    EXPECT_EQ(host->startedAt.last(), 3);
}

TEST_F(Player, IntroScanPlaysOnlyTheIntroOfEachEntry) {
    tavi::settings::playerSettings().introStart = 1;
    tavi::settings::playerSettings().introLength = 1;
    make(pauses({"3.pause", "1.pause"}), 0);
    player->SetMode(ModeIntro);
    player->PlayCommand();
    EXPECT_NEAR(host->current->GetPosition(), 1.0, 0.05) << "starts at IntroStart";
    ASSERT_TRUE(waitStarts(2, 10000));
    ASSERT_EQ(host->closedAt.size(), 1);
    EXPECT_GE(host->closedAt[0], 2.0) << "ended at IntroStart + IntroLength";
    EXPECT_LT(host->closedAt[0], 3.0) << "the 3-second entry played only its intro";
    EXPECT_LT(host->current->GetPosition(), 0.2) << "too short for start + length: from 0";
    ASSERT_TRUE(waitStopped(10000));
    EXPECT_EQ(host->selection, 0) << "an intro run ends like a normal one";
}

TEST_F(Player, LoopModeRepeatsTheTrackUntilStopWhichLeavesIt) {
    make(pauses({"0.pause", "0.pause"}), 0);
    player->LoopCommand();
    EXPECT_EQ(player->GetMode(), ModeLoop);
    ASSERT_TRUE(waitStarts(4, 10000));
    EXPECT_EQ(host->startedAt.mid(0, 4), (QList<int>{0, 0, 0, 0}));
    player->StopCommand();
    EXPECT_EQ(player->GetMode(), ModeNormal);
    EXPECT_FALSE(player->IsCommandChecked(playercmd::kLoop));
}

TEST_F(Player, NextOnTheLastEntryStopsAndKeepsTheSelection) {
    make(pauses({"5.pause", "5.pause"}), 1);
    player->PlayCommand();
    EXPECT_FALSE(player->IsCommandEnabled(playercmd::kNext));
    player->NextCommand();
    EXPECT_FALSE(player->IsPlaying());
    EXPECT_EQ(host->selection, 1);
    host->selection = 0;
    player->PlayCommand();
    player->NextCommand();
    EXPECT_TRUE(player->IsPlaying());
    EXPECT_EQ(host->startedAt.last(), 1);
    player->PreviousCommand();
    EXPECT_EQ(host->startedAt.last(), 0);
    player->PreviousCommand();
    EXPECT_FALSE(player->IsPlaying()) << "at the first entry Previous only stops";
}

TEST_F(Player, PlayRestartsOrResumesAndPauseWithNothingPlayingStartsPaused) {
    make(pauses({"5.pause"}), 0);
    player->PauseCommand();
    processEventsFor(50);
    ASSERT_TRUE(player->IsPlaying());
    EXPECT_TRUE(player->IsPaused());
    EXPECT_TRUE(player->IsCommandChecked(playercmd::kPause));
    player->PlayCommand();
    EXPECT_FALSE(player->IsPaused());
    processEventsFor(300);
    EXPECT_GT(host->current->GetPosition(), 0.2);
    player->PlayCommand();
    EXPECT_LT(host->current->GetPosition(), 0.05) << "Play while playing restarts from 0";
    EXPECT_EQ(host->started.size(), 1);
}

TEST_F(Player, SelectionChangedDuringPlayDecidesWhatFollows) {
    make(pauses({"0.pause", "1.pause", "0.pause", "0.pause"}), 1);
    player->PlayCommand();
    host->selection = 2;
    ASSERT_TRUE(waitStopped(10000));
    processEventsFor(150);
    EXPECT_EQ(host->startedAt, (QList<int>{1, 3}));
}

TEST_F(Player, IgnoreErrorsTriesEachUnplayableEntryOnceAndStopsAtTheLast) {
    tavi::settings::playerSettings().ignoreErrors = true;
    for (uint32_t mode : {ModeNormal, ModeRepeat}) {
        make(QStringList{QStringLiteral("a.nosuch"), QStringLiteral("b.nosuch"),
                         QStringLiteral("c.nosuch")},
             0);
        player->SetMode(mode);
        player->PlayCommand();
        processEventsFor(200);
        EXPECT_FALSE(player->IsPlaying());
        EXPECT_EQ(host->selections, (QList<int>{1, 2})) << "mode " << mode;
        EXPECT_TRUE(host->shownErrors.isEmpty());
    }
}

TEST_F(Player, ErrorsAreShownWhenNotIgnoredAndPlaybackStays) {
    make(QStringList{QStringLiteral("a.nosuch"), QStringLiteral("0.pause")}, 0);
    player->PlayCommand();
    processEventsFor(200);
    ASSERT_EQ(host->shownErrors.size(), 1);
    EXPECT_FALSE(host->shownErrors[0].isEmpty());
    EXPECT_EQ(host->selection, 0);
    EXPECT_TRUE(host->started.isEmpty());
}

TEST_F(Player, FadeWithoutAMixerSwitchesFadingOffAndStops) {
    QTemporaryDir empty;
    qputenv("XDG_RUNTIME_DIR", empty.path().toLocal8Bit());
    qputenv("PULSE_SERVER", "unix:/nonexistent");
    tavi::settings::playerSettings().fadeOut = true;
    make(pauses({"5.pause", "5.pause"}), 0);
    player->PlayCommand();
    player->NextCommand();
    EXPECT_FALSE(tavi::settings::playerSettings().fadeOut);
    EXPECT_TRUE(player->IsPlaying()) << "Next went on after stopping";
    EXPECT_EQ(host->startedAt, (QList<int>{0, 1}));
}

TEST_F(Player, CommandStatesFollowTheListAndTheMode) {
    make(pauses({"5.pause", "5.pause"}), -1);
    EXPECT_FALSE(player->IsCommandEnabled(playercmd::kPlay));
    EXPECT_FALSE(player->IsCommandEnabled(playercmd::kNext));
    EXPECT_EQ(player->NextEntryIndex(), -1);
    host->selection = 0;
    EXPECT_TRUE(player->IsCommandEnabled(playercmd::kPlay));
    EXPECT_FALSE(player->IsCommandEnabled(playercmd::kStop));
    EXPECT_EQ(player->NextEntryIndex(), 0) << "nothing plays: the selection";
    player->ExecuteCommand(playercmd::kRepeat);
    EXPECT_TRUE(player->IsCommandChecked(playercmd::kRepeat));
    host->selection = 1;
    EXPECT_TRUE(player->IsCommandEnabled(playercmd::kNext));
    player->PlayCommand();
    EXPECT_EQ(player->NextEntryIndex(), 0);
    player->ExecuteCommand(playercmd::kRepeat);
    EXPECT_EQ(player->GetMode(), ModeNormal);
    EXPECT_EQ(player->NextEntryIndex(), -1);
    EXPECT_TRUE(player->IsCommandEnabled(playercmd::kFastForward));
    EXPECT_FALSE(player->IsCommandEnabled(playercmd::kFullScreen));
    EXPECT_FALSE(player->IsCommandEnabled(playercmd::kSetupDevice));
    EXPECT_EQ(PlayModeName(ModeShuffle), QStringLiteral("SHUFFLE"));
}
