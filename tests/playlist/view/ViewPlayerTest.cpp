// Playing real playlists of pause entries through the view, as a user does: commands by id,
// double clicks, the wheel, the status panes, Total Length and AutoPlay.
#include "../PlaylistTestSupport.h"

#include "engines/TrackQueries.h"
#include "engines/directshow/CDirectShowTrack.h"
#include "engines/player/CPlayer.h"
#include "playlist/CommandIds.h"
#include "playlist/player/PlaylistPlayer.h"
#include "playlist/view/CPlayListBox.h"
#include "playlist/view/CTaviView.h"
#include "support/QtApp.h"
#include "support/TestMedia.h"

#include <QApplication>
#include <QColor>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <cmath>

using namespace tavi::playlist;
namespace playercmd = tavi::engines::playercmd;
using tavi::test::processEventsUntil;

namespace {

class PlayingView : public CTaviView {
public:
    using CTaviView::CTaviView;
    QStringList errors;
    QStringList information;

protected:
    void ShowError(const QString& message) override { errors.append(message); }
    void ShowInformation(const QString& message) override { information.append(message); }
    bool ConfirmDeleteFile(const QString&, const QString& path) override {
        deleteQuestions.append(path);
        return deleteAnswer;
    }

public:
    QStringList deleteQuestions;
    bool deleteAnswer = true;
};

class ViewPlayback : public tavi::test::PlaylistTest {
protected:
    ViewPlayback() {
        player().fadeOut = false;
        view = std::make_unique<PlayingView>(*doc);
        view->resize(360, 240);
        view->show();
    }
    ~ViewPlayback() override { view.reset(); }
    tavi::engines::CPlayer& engine() { return view->playlistPlayer().player(); }
    QStringList started;  // filled by watchStarts()
    void watchStarts() {
        QObject::connect(doc.get(), &CTaviDoc::currentTrackChanged,
                         [this](tavi::engines::CMediaTrack* track) {
                             if (track) {
                                 started.append(track->GetFileName());
                             }
                         });
    }

    // Playlist > Total Length, run to its end from the event loop.
    void totalLength() {
        view->OnCommand(cmd::kTotalLength);
        ASSERT_TRUE(tavi::test::processEventsUntil(
            [&] { return !view->playlistPlayer().IsTotalLengthRunning(); }, 20000));
    }

    std::unique_ptr<PlayingView> view;
};

}  // namespace

TEST_F(ViewPlayback, PlayCommandPlaysTheListToItsEndAndSelectsTheFirst) {
    fill({QStringLiteral("0.pause"), QStringLiteral("1.pause"), QStringLiteral("0.pause")}, 0);
    watchStarts();
    EXPECT_TRUE(view->IsCommandEnabled(playercmd::kPlay));
    EXPECT_FALSE(view->IsCommandEnabled(playercmd::kStop));
    view->OnCommand(playercmd::kPlay);
    EXPECT_TRUE(view->IsCommandEnabled(playercmd::kStop));
    EXPECT_FALSE(view->playlistPlayer().PositionPaneText().isEmpty());
    ASSERT_TRUE(
        processEventsUntil([&] { return started.size() == 3 && !doc->HasCurrentTrack(); }, 4000));
    EXPECT_EQ(model().current(), 0);
    EXPECT_TRUE(view->playlistPlayer().PositionPaneText().isEmpty());
}

// While a track plays, the idle pass comes when the position pane's second changes, not on a
// fast timer; it stops while the window is not seen, and a request (the user's input) gives
// one pass, however many there were.
TEST_F(ViewPlayback, TheIdlePassIsTimedByWhatPlaysAndWhetherTheWindowIsSeen) {
    fill({QStringLiteral("5.pause")}, 0);
    PlaylistPlayer& player = view->playlistPlayer();
    EXPECT_EQ(player.IdleInterval(), PlaylistPlayer::kStoppedIdleIntervalMs);
    view->OnCommand(playercmd::kPlay);
    tavi::engines::CMediaTrack* track = doc->GetCurrentTrack();
    ASSERT_NE(track, nullptr);
    ASSERT_TRUE(tavi::test::processEventsUntil([&] { return track->GetPosition() >= 1.3; }, 5000));
    const double before = track->GetPosition();
    const int interval = player.IdleInterval();
    const double after = track->GetPosition();
    const auto untilNextSecond = [](double position) {
        return int((std::ceil(position) - position) * 1000.0) + tavi::engines::kAfterStepMs;
    };
    if (std::floor(before) == std::floor(after)) {
        EXPECT_LE(interval, untilNextSecond(before) + 1) << "position " << before;
        EXPECT_GE(interval,
                  std::max(untilNextSecond(after) - 1, PlaylistPlayer::kMinIdleIntervalMs));
    }
    int timedPasses = 0;
    auto counter = QObject::connect(&player, &PlaylistPlayer::idle, [&] { ++timedPasses; });
    tavi::test::processEventsUntil([] { return false; }, 2500);
    QObject::disconnect(counter);
    EXPECT_GE(timedPasses, 1);
    EXPECT_LE(timedPasses, 4) << "the pane changes once a second";

    view->OnCommand(playercmd::kPause);
    ASSERT_TRUE(tavi::test::processEventsUntil([&] { return track->IsPaused(); }, 5000));
    EXPECT_EQ(player.IdleInterval(), PlaylistPlayer::kIdleIntervalMs)
        << "a paused track's second does not change";
    view->OnCommand(playercmd::kPause);

    player.SetIdleShown(false);
    EXPECT_EQ(player.IdleInterval(), 0);
    int passes = 0;
    QObject::connect(&player, &PlaylistPlayer::idle, [&] { ++passes; });
    player.RequestIdle();
    QCoreApplication::processEvents();
    EXPECT_EQ(passes, 0) << "nobody sees it";
    player.SetIdleShown(true);  // seen again: one pass at once
    player.RequestIdle();
    QCoreApplication::processEvents();
    EXPECT_EQ(passes, 1);
    view->OnCommand(playercmd::kStop);
    EXPECT_EQ(player.IdleInterval(), PlaylistPlayer::kStoppedIdleIntervalMs);
}

TEST_F(ViewPlayback, DoubleClickPlaysTheEntryAndLeavesRandomMode) {
    fill({QStringLiteral("5.pause"), QStringLiteral("5.pause"), QStringLiteral("5.pause")}, 0);
    view->OnCommand(playercmd::kRandom);
    EXPECT_EQ(tavi::settings::viewSettings().playerMode, 2u)
        << "the mode is kept for the next start";
    const QModelIndex third = view->listBox()->model()->index(2, 0);
    const QRect rect = view->listBox()->visualRect(third);
    QTest::mouseClick(view->listBox()->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(view->listBox()->viewport(), Qt::LeftButton, {}, rect.center());
    EXPECT_EQ(engine().GetMode(), 0u);
    ASSERT_TRUE(doc->HasCurrentTrack());
    EXPECT_EQ(model().current(), 2);
}

// The wheel over the list scrolls it, also while a track plays; seeking by wheel is the
// position slider's.
TEST_F(ViewPlayback, WheelOverTheListScrollsItAndLeavesThePlayingTrack) {
    QStringList many;
    for (int i = 0; i < 200; ++i) {
        many.append(QStringLiteral("10.pause"));
    }
    fill(many, 0);
    view->resize(300, 200);
    view->show();
    QApplication::processEvents();
    view->OnCommand(playercmd::kPlay);
    ASSERT_TRUE(doc->HasCurrentTrack());
    QScrollBar* bar = view->listBox()->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    const int before = bar->value();
    QWheelEvent wheel(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, -240), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view->listBox()->viewport(), &wheel);
    EXPECT_GT(bar->value(), before) << "the list scrolled down";
    EXPECT_NEAR(doc->GetCurrentTrack()->GetPosition(), 0.0, 0.5) << "no seek";
    view->OnCommand(playercmd::kFastForward);
    EXPECT_NEAR(doc->GetCurrentTrack()->GetPosition(), 30.0, 0.5) << "FF_TIME is 30 s";
    view->OnCommand(playercmd::kStop);
    EXPECT_FALSE(doc->HasCurrentTrack());
}

TEST_F(ViewPlayback, LengthPaneShowsThePlayingOrWithTheOptionTheSelectedEntry) {
    fill({QStringLiteral("75.pause"), QStringLiteral("3725.pause")}, 1);
    EXPECT_FALSE(view->playlistPlayer().LengthPaneState().enabled);
    tavi::settings::viewSettings().showSongLength = true;
    const auto selected = view->playlistPlayer().LengthPaneState();
    EXPECT_TRUE(selected.enabled);
    EXPECT_EQ(selected.text, QStringLiteral("1:02:05"));
    model().setCurrent(0);
    view->OnCommand(playercmd::kPlay);
    EXPECT_EQ(view->playlistPlayer().LengthPaneState().text, QStringLiteral("0:01:15"));
    model().setCurrent(-1);
    view->OnCommand(playercmd::kStop);
    EXPECT_FALSE(view->playlistPlayer().LengthPaneState().enabled);
}

TEST_F(ViewPlayback, TotalLengthAddsEveryEntryAndRestoresTheSelection) {
    fill({QStringLiteral("61.pause"), QStringLiteral("word.pause"), QStringLiteral("3600.pause")},
         1);
    QStringList sums;
    QObject::connect(&view->playlistPlayer(), &PlaylistPlayer::totalLengthRunning,
                     [&](const QString& status, const QString& pane) {
                         EXPECT_EQ(status, QStringLiteral("Calculating total length..."));
                         sums.append(pane);
                     });
    totalLength();
    EXPECT_EQ(view->information,
              QStringList{QStringLiteral(
                  "The play list contains 3 songs.\nThe total length is: 1:01:02.")});
    EXPECT_EQ(sums.first(), QStringLiteral("0:00:00"));
    EXPECT_EQ(sums.last(), QStringLiteral("1:01:02"));
    EXPECT_EQ(model().current(), 1);
}

// Every file opens in the background here: Total Length and the length pane wait for the
// engine instead of taking its not-yet-known length for an error.
TEST_F(ViewPlayback, LengthsOfFilesOpenedInTheBackgroundAreWaitedFor) {
    const QString wav = files.filePath(QStringLiteral("two.wav"));
    ASSERT_TRUE(tavi::test::MakeWav(wav, 2.5));
    fill({wav, QStringLiteral("3.pause")}, 0);
    const auto wait = tavi::engines::CDirectShowTrack::OpenWait();
    tavi::engines::CDirectShowTrack::SetOpenWait(std::chrono::milliseconds(0));
    totalLength();
    tavi::settings::viewSettings().showSongLength = true;
    EXPECT_TRUE(processEventsUntil([&] { return view->playlistPlayer().LengthPaneState().enabled; },
                                   20000));
    tavi::engines::CDirectShowTrack::SetOpenWait(wait);
    EXPECT_TRUE(view->errors.isEmpty()) << view->errors.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(view->information,
              QStringList{QStringLiteral(
                  "The play list contains 2 songs.\nThe total length is: 0:00:05.")});
    EXPECT_EQ(view->playlistPlayer().LengthPaneState().text, QStringLiteral("0:00:02"));
}

TEST_F(ViewPlayback, EscapeEndsTotalLengthAndAnErrorEndsItUnlessIgnored) {
    fill({QStringLiteral("1.pause"), QStringLiteral("2.pause")}, 0);
    QKeyEvent* escape = new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::postEvent(view->listBox(), escape);
    totalLength();
    EXPECT_TRUE(view->information.isEmpty());
    EXPECT_EQ(model().current(), 0);

    fill({QStringLiteral("/nowhere/a.ogg"), QStringLiteral("2.pause")}, 1);
    totalLength();
    ASSERT_EQ(view->errors.size(), 1);
    EXPECT_TRUE(view->errors.first().startsWith(QStringLiteral("/nowhere/a.ogg\n\n")))
        << "the message names the entry that failed";
    EXPECT_TRUE(view->information.isEmpty());
    player().ignoreErrors = true;
    totalLength();
    EXPECT_EQ(view->errors.size(), 1) << "ignored errors are not shown";
    EXPECT_EQ(view->information.size(), 1);
    EXPECT_TRUE(view->information.constLast().endsWith(QStringLiteral("0:00:02.")));
}

TEST_F(ViewPlayback, AutoPlayStartsTheSelectedEntryHalfASecondAfterOpening) {
    player().autoPlay = true;
    const QString folder = files.filePath(QStringLiteral("list"));
    touch(QStringLiteral("list/5.pause"));
    ASSERT_TRUE(doc->OpenDocumentFile(folder));
    settle();  // the folder is in: the list counts as opened now
    EXPECT_FALSE(doc->HasCurrentTrack()) << "not at once";
    EXPECT_TRUE(processEventsUntil([&] { return doc->HasCurrentTrack(); }, 5000));
}

// Delete File asks first; No leaves the file, the entry and the track alone.
TEST_F(ViewPlayback, DeleteFileAsksAndNoKeepsEverything) {
    const QString song = touch(QStringLiteral("7.pause"));
    fill({song}, 0);
    view->OnCommand(playercmd::kPlay);
    view->deleteAnswer = false;
    view->OnCommand(cmd::kDeleteFile);
    EXPECT_EQ(view->deleteQuestions, QStringList{song});
    EXPECT_TRUE(QFile::exists(song));
    EXPECT_EQ(model().paths(), QStringList{song});
    EXPECT_TRUE(doc->HasCurrentTrack());
    view->OnCommand(playercmd::kStop);
    fill({QStringLiteral("3.pause")}, 0);
    view->OnCommand(cmd::kDeleteFile);
    EXPECT_EQ(view->deleteQuestions.size(), 1) << "a pause entry is no file: nothing to ask";
}

TEST_F(ViewPlayback, DeletingThePlayingFileStopsItFirst) {
    const QString song = touch(QStringLiteral("7.pause"));
    fill({song}, 0);
    view->OnCommand(playercmd::kPlay);
    ASSERT_TRUE(doc->HasCurrentTrack());
    view->OnCommand(cmd::kDeleteFile);
    EXPECT_FALSE(doc->HasCurrentTrack());
}

TEST_F(ViewPlayback, UnplayableEntryIsReportedByTheView) {
    fill({QStringLiteral("/nowhere/song.ogg")}, 0);
    view->OnCommand(playercmd::kPlay);
    EXPECT_EQ(view->errors.size(), 1);
    EXPECT_FALSE(doc->HasCurrentTrack());
}

// In a long list the engine's text alone does not say which file failed: the message names
// the entry, and the list marks it until it plays.
TEST_F(ViewPlayback, AFailedEntryIsNamedInTheMessageAndMarkedUntilItPlays) {
    const QString song = touch(QStringLiteral("later.wav"));  // empty: no sound yet
    fill({song, QStringLiteral("5.pause")}, 0);
    view->OnCommand(playercmd::kPlay);
    // Found at the open or, when that goes on in the background, a moment later.
    ASSERT_TRUE(processEventsUntil([&] { return !view->errors.isEmpty(); }, 5000));
    ASSERT_EQ(view->errors.size(), 1);
    EXPECT_TRUE(view->errors.first().contains(song)) << view->errors.first().toStdString();
    EXPECT_TRUE(view->errors.first().contains(QStringLiteral("\"later\""))) << "the display name";
    EXPECT_TRUE(model().isFailed(0));
    EXPECT_FALSE(model().isFailed(1));
    const QModelIndex first = model().index(0);
    EXPECT_TRUE(model().data(first, PlaylistModel::FailedRole).toBool());
    EXPECT_EQ(model().data(first, Qt::ForegroundRole).value<QColor>(),
              PlaylistModel::FailedColor());
    EXPECT_FALSE(model().data(model().index(1), Qt::ForegroundRole).isValid());
    model().move(0, 1);
    EXPECT_TRUE(model().isFailed(1)) << "the mark follows the entry";
    model().setCurrent(1);
    ASSERT_TRUE(tavi::test::MakeWav(song, 2.0));
    view->OnCommand(playercmd::kPlay);
    ASSERT_TRUE(processEventsUntil([&] { return doc->HasCurrentTrack(); }, 5000));
    EXPECT_FALSE(model().isFailed(1)) << "it played";
    view->OnCommand(playercmd::kStop);
}
