// The player with real media, which is opened ahead: what plays, in which order and with
// which final selection must be what the pause-entry tests show for every mode.
#include "app/settings/PlayerSettings.h"
#include "engines/player/CPlayer.h"
#include "support/ListHost.h"
#include "support/PlaybackEnvironment.h"
#include "support/QtApp.h"
#include "support/TestMedia.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

using namespace tavi::engines;
using tavi::test::ListHost;
using tavi::test::processEventsFor;
using tavi::test::processEventsUntil;

namespace {

class GaplessPlayer : public testing::Test {
protected:
    void SetUp() override { tavi::test::PrepareForPlayback(); }
    void TearDown() override {
        if (host) {
            host->CloseCurrentTrack();
        }
    }

    // Tones of the given lengths, each a different file.
    QStringList tones(std::initializer_list<double> seconds) {
        QStringList files;
        for (double length : seconds) {
            const QString file = dir.filePath(QStringLiteral("t%1.wav").arg(++m_made));
            EXPECT_TRUE(tavi::test::MakeWav(file, length));
            files.append(file);
        }
        return files;
    }
    void make(QStringList entries, int selection, uint32_t mode) {
        if (host) {
            host->CloseCurrentTrack();
        }
        player.reset();
        host = std::make_unique<ListHost>(std::move(entries), selection);
        player = std::make_unique<CPlayer>(*host);
        player->SetMode(mode);
    }
    bool waitStarts(int count, int timeoutMs) {
        return processEventsUntil([&] { return host->started.size() >= count; }, timeoutMs);
    }
    bool waitStopped(int timeoutMs) {
        return processEventsUntil([&] { return !player->IsPlaying(); }, timeoutMs);
    }
    bool waitPrepared(const QString& file, int timeoutMs) {
        return processEventsUntil([&] { return player->PreparedFile() == file; }, timeoutMs);
    }

    QTemporaryDir dir;
    std::unique_ptr<ListHost> host;
    std::unique_ptr<CPlayer> player;

private:
    int m_made = 0;
};

}  // namespace

TEST_F(GaplessPlayer, EveryModePlaysTheSameEntriesInTheSameOrder) {
    tavi::settings::playerSettings().introStart = 0;
    tavi::settings::playerSettings().introLength = 1;
    struct Case {
        uint32_t mode;
        double seconds;
        int entries;
        int selection;
        int starts;
        QList<int> startedAt;
        int preparedUsed;  // tracks that started from the one opened ahead
    };
    const Case cases[] = {
        {ModeNormal, 0.6, 3, 0, 3, {0, 1, 2}, 2}, {ModeRepeat, 0.6, 2, 1, 4, {1, 0, 1, 0}, 3},
        {ModeShuffle, 0.6, 3, 2, 2, {2, 0}, 0},  // the reshuffle decides only at the end
        {ModeIntro, 1.5, 2, 0, 2, {0, 1}, 1},    // 1 s of each
        {ModeLoop, 0.6, 2, 0, 3, {0, 0, 0}, 0},
    };
    for (const Case& c : cases) {
        QStringList files;
        for (int i = 0; i < c.entries; ++i) {
            files += tones({c.seconds});
        }
        make(files, c.selection, c.mode);
        player->PlayCommand();
        ASSERT_TRUE(waitStarts(c.starts, 10000)) << "mode " << c.mode;
        EXPECT_EQ(host->startedAt.mid(0, c.starts), c.startedAt) << "mode " << c.mode;
        for (int i = 0; i < c.starts; ++i) {
            EXPECT_EQ(host->started[i], host->entries[host->startedAt[i]]) << "mode " << c.mode;
        }
        EXPECT_EQ(player->PreparedTracksUsed(), c.preparedUsed) << "mode " << c.mode;
        if (c.mode == ModeNormal || c.mode == ModeIntro) {
            ASSERT_TRUE(waitStopped(10000));
            processEventsFor(100);
            EXPECT_EQ(host->startedAt.size(), c.starts) << "mode " << c.mode;
            EXPECT_EQ(host->selection, 0) << "a run ends with the first entry selected";
            EXPECT_TRUE(player->PreparedFile().isEmpty()) << "nothing is left open ahead";
        }
    }
}

TEST_F(GaplessPlayer, RandomPlayOpensNothingAhead) {
    make(tones({0.5, 0.5, 0.5}), 0, ModeRandom);
    player->PlayCommand();
    ASSERT_TRUE(waitStarts(3, 10000));
    EXPECT_EQ(player->PreparedTracksUsed(), 0);
    EXPECT_TRUE(player->PreparedFile().isEmpty());
}

TEST_F(GaplessPlayer, ASelectionChangeInTheLastSecondsPlaysTheNewSuccessor) {
    make(tones({1.0, 1.0, 1.0, 1.0}), 0, ModeNormal);
    player->PlayCommand();
    ASSERT_TRUE(waitPrepared(host->entries[1], 1500)) << "the next entry is opened ahead";
    host->selection = 2;
    ASSERT_TRUE(waitStarts(2, 10000));
    EXPECT_EQ(host->startedAt[1], 3);
    EXPECT_EQ(host->started[1], host->entries[3]);
}

TEST_F(GaplessPlayer, ATrackOpenedAheadIsDiscardedWhenTheListChanges) {
    const QStringList spare = tones({0.5});
    enum Change { Replace, Remove, Insert };
    for (Change change : {Replace, Remove, Insert}) {
        make(tones({1.0, 0.5, 0.5}), 0, ModeNormal);
        player->PlayCommand();
        ASSERT_TRUE(waitPrepared(host->entries[1], 1500)) << "change " << change;
        if (change == Replace) {
            host->entries[1] = spare[0];
        } else if (change == Remove) {
            host->entries.removeAt(1);
        } else {
            host->entries.insert(1, spare[0]);
        }
        const QString expected = host->entries[1];
        ASSERT_TRUE(waitStarts(2, 10000)) << "change " << change;
        EXPECT_EQ(host->started[1], expected) << "change " << change;
        EXPECT_EQ(host->startedAt[1], 1) << "change " << change;
    }
}

TEST_F(GaplessPlayer, StoppingDiscardsTheTrackOpenedAhead) {
    make(tones({1.0, 1.0}), 0, ModeNormal);
    player->PlayCommand();
    ASSERT_TRUE(waitPrepared(host->entries[1], 1500));
    player->StopCommand();
    processEventsFor(50);
    EXPECT_TRUE(player->PreparedFile().isEmpty());
    EXPECT_EQ(host->started.size(), 1);
}
