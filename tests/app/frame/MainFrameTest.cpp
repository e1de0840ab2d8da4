// The main window offscreen: every key of the accelerator table, the menus, the stored
// placement and flags, the title, drops on the bars, Find and the tray's icon states.
#include "FrameTestSupport.h"

#include "app/Version.h"
#include "app/frame/AboutDialog.h"
#include "app/frame/CAnimatedNotifyIcon.h"
#include "app/frame/CMainFrame.h"
#include "app/frame/CPositionSlider.h"
#include "app/frame/CommandActions.h"
#include "app/frame/FindDialog.h"
#include "app/frame/FrameBars.h"
#include "app/frame/FrameCommandIds.h"
#include "app/frame/FrameFullScreen.h"
#include "app/frame/FrameIcons.h"
#include "app/frame/FrameTray.h"
#include "app/settings/AppKey.h"
#include "app/settings/MainFrameSettings.h"
#include "app/settings/PlayerSettings.h"
#include "app/settings/SettingsKeys.h"
#include "app/settings/ViewSettings.h"
#include "playlist/CTaviDoc.h"
#include "playlist/DisplayName.h"
#include "playlist/PlaylistModel.h"
#include "playlist/player/PlaylistPlayer.h"
#include "playlist/view/CPlayListBox.h"
#include "playlist/view/CTaviView.h"
#include "support/ProcessRegistry.h"
#include "support/QtApp.h"
#include "support/QtPrinters.h"
#include "support/SettingsScope.h"
#include "ui/explorer/CExplorerBar.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>
#include <QTreeView>

#include <gtest/gtest.h>

using namespace tavi;
using namespace tavi::frame;

namespace {

// Records the commands that reach the frame; with passOn they also run.
class WatchedFrame : public CMainFrame {
public:
    using CMainFrame::CMainFrame;
    bool OnCommand(int id) override {
        commands.append(id);
        return passOn ? CMainFrame::OnCommand(id) : true;
    }
    QList<int> commands;
    bool passOn = true;
};

class MainFrameTest : public testing::Test {
protected:
    MainFrameTest() {
        settings::playerSettings().fadeOut = false;
        settings::playerSettings().mediaDir = QDir::tempPath();
        document.NewDocument();
    }
    ~MainFrameTest() override { frame.reset(); }

    WatchedFrame& MakeFrame() {
        frame = std::make_unique<WatchedFrame>(document, services);
        return *frame;
    }
    WatchedFrame& ShownFrame() {
        MakeFrame().ShowFromSettings();
        frame->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(frame.get()));
        return *frame;
    }
    reg::RegKey MainFrameKey() {
        return settings::openApplicationKey(reg::Registry::instance(), settings::keys::kMainFrame);
    }

    test::SettingsScope settingsScope;  // defaults now, the old values after the frame is gone
    test::ProcessRegistry registry;
    playlist::CTaviDoc document;
    test::RecordingServices services;
    std::unique_ptr<WatchedFrame> frame;
};

struct KeyCase {
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int command;
};

// The accelerator table as the user's guide lists it.
const KeyCase kKeys[] = {
    {"A", Qt::Key_A, Qt::NoModifier, 57664},
    {"Ctrl+A", Qt::Key_A, Qt::ControlModifier, 57644},
    {"Ctrl+Y", Qt::Key_Y, Qt::ControlModifier, 57644},
    {"Ctrl+Shift+Z", Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, 57644},
    {"Ctrl+C", Qt::Key_C, Qt::ControlModifier, 57634},
    {"Ctrl+Insert", Qt::Key_Insert, Qt::ControlModifier, 57634},
    {"D", Qt::Key_D, Qt::NoModifier, 32787},
    {"E", Qt::Key_E, Qt::NoModifier, 32816},
    {"Ctrl+E", Qt::Key_E, Qt::ControlModifier, 59400},
    {"F", Qt::Key_F, Qt::NoModifier, 32795},
    {"Ctrl+F", Qt::Key_F, Qt::ControlModifier, 32817},
    {"H", Qt::Key_H, Qt::NoModifier, 32875},
    {"I", Qt::Key_I, Qt::NoModifier, 32779},
    {"L", Qt::Key_L, Qt::NoModifier, 32792},
    {"Ctrl+L", Qt::Key_L, Qt::ControlModifier, 194},
    {"N", Qt::Key_N, Qt::NoModifier, 32776},
    {"Ctrl+N", Qt::Key_N, Qt::ControlModifier, 57600},
    {"O", Qt::Key_O, Qt::NoModifier, 32780},
    {"Ctrl+O", Qt::Key_O, Qt::ControlModifier, 57601},
    {"P", Qt::Key_P, Qt::NoModifier, 32771},
    {"R", Qt::Key_R, Qt::NoModifier, 32782},
    {"S", Qt::Key_S, Qt::NoModifier, 32860},
    {"Ctrl+S", Qt::Key_S, Qt::ControlModifier, 57603},
    {"T", Qt::Key_T, Qt::NoModifier, 32818},
    {"U", Qt::Key_U, Qt::NoModifier, 32786},
    {"V", Qt::Key_V, Qt::NoModifier, 32777},
    {"Ctrl+V", Qt::Key_V, Qt::ControlModifier, 57637},
    {"Shift+Insert", Qt::Key_Insert, Qt::ShiftModifier, 57637},
    {"X", Qt::Key_X, Qt::NoModifier, 32784},
    {"Ctrl+X", Qt::Key_X, Qt::ControlModifier, 57635},
    {"Shift+Delete", Qt::Key_Delete, Qt::ShiftModifier, 57635},
    {"Ctrl+Z", Qt::Key_Z, Qt::ControlModifier, 57643},
    {"Alt+Backspace", Qt::Key_Backspace, Qt::AltModifier, 57643},
    {"Delete", Qt::Key_Delete, Qt::NoModifier, 57632},
    {"Ctrl+Delete", Qt::Key_Delete, Qt::ControlModifier, 57633},
    {"Alt+Delete", Qt::Key_Delete, Qt::AltModifier, 32783},
    {"Insert", Qt::Key_Insert, Qt::NoModifier, 32781},
    {"Ctrl+numeric-pad plus", Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier, 32806},
    {"F2", Qt::Key_F2, Qt::NoModifier, 44000},
    {"Alt+Enter", Qt::Key_Return, Qt::AltModifier, 44000},
    {"F11", Qt::Key_F11, Qt::NoModifier, 32899},
    {"F12", Qt::Key_F12, Qt::NoModifier, 57604},
    {"F6", Qt::Key_F6, Qt::NoModifier, 57680},
    {"Shift+F6", Qt::Key_F6, Qt::ShiftModifier, 57681},
    {"Ctrl+Left", Qt::Key_Left, Qt::ControlModifier, 32775},
    {"Ctrl+Right", Qt::Key_Right, Qt::ControlModifier, 32774},
    {"media Next", Qt::Key_MediaNext, Qt::NoModifier, 32776},
    {"media Previous", Qt::Key_MediaPrevious, Qt::NoModifier, 32777},
    {"media Stop", Qt::Key_MediaStop, Qt::NoModifier, 32772},
    {"media Play/Pause", Qt::Key_MediaTogglePlayPause, Qt::NoModifier, 32879},
    {"Pause", Qt::Key_Pause, Qt::NoModifier, 32773},
    {"application command new", Qt::Key_New, Qt::NoModifier, 57600},
    {"application command open", Qt::Key_Open, Qt::NoModifier, 57601},
};

QList<int> MenuIds(const QMenu* menu) {
    QList<int> ids;
    for (const QAction* action : menu->actions()) {
        if (action->data().isValid()) {
            ids.append(action->data().toInt());
        }
    }
    return ids;
}

}  // namespace

namespace {

// Notes a layout request reaching a widget.
class LayoutWatch : public QObject {
public:
    LayoutWatch(QWidget& widget, bool& seen) : m_seen(seen) { widget.installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        m_seen = m_seen || event->type() == QEvent::LayoutRequest;
        return false;
    }

private:
    bool& m_seen;
};

}  // namespace

TEST_F(MainFrameTest, EveryKeyOfTheTableSendsItsCommandFromThePlaylist) {
    WatchedFrame& f = ShownFrame();
    f.passOn = false;
    f.view().listBox()->setFocus();
    for (const KeyCase& c : kKeys) {
        f.commands.clear();
        // Without a character, so that keys outside the ASCII table can be sent too.
        QTest::sendKeyEvent(QTest::Click, f.view().listBox(), c.key, char(0), c.modifiers);
        EXPECT_EQ(f.commands, QList<int>{c.command}) << c.name;
    }
    for (Qt::Key unbound : {Qt::Key_B, Qt::Key_G, Qt::Key_J, Qt::Key_Q, Qt::Key_W, Qt::Key_F10}) {
        f.commands.clear();
        QTest::keyClick(f.view().listBox(), unbound);
        EXPECT_TRUE(f.commands.isEmpty()) << QKeySequence(unbound).toString().toStdString();
    }
}

// Keys pressed in another top-level window (the video window) reach the same commands,
// looked up in the key table: Qt fires no shortcut of a window that is not active.
TEST_F(MainFrameTest, KeysFromTheVideoWindowRunTheirCommandsThroughTheKeyTable) {
    WatchedFrame& f = ShownFrame();
    f.passOn = false;
    for (const KeyCase& c : kKeys) {
        f.commands.clear();
        EXPECT_TRUE(f.actions().DispatchKey(QKeyCombination(c.modifiers, c.key))) << c.name;
        EXPECT_EQ(f.commands, QList<int>{c.command}) << c.name;
    }
    f.commands.clear();
    EXPECT_TRUE(f.actions().DispatchKey(QKeyCombination(Qt::KeypadModifier, Qt::Key_Insert)))
        << "a pad key without a binding of its own is the main key";
    EXPECT_EQ(f.commands, QList<int>{32781});
    for (Qt::Key unbound : {Qt::Key_B, Qt::Key_Q, Qt::Key_F10}) {
        f.commands.clear();
        EXPECT_FALSE(f.actions().DispatchKey(QKeyCombination(unbound)));
        EXPECT_TRUE(f.commands.isEmpty());
    }
    f.passOn = true;
    f.actions().DispatchKey(QKeyCombination(Qt::Key_T));
    EXPECT_TRUE(settings::viewSettings().showTrackNo) << "T switched the track numbers on";
}

TEST_F(MainFrameTest, PlayAndPauseCarryCheckMarksAndMp3sHaveAdditionalInformation) {
    WatchedFrame& f = ShownFrame();
    EXPECT_TRUE(f.actions().action(32771)->isCheckable());
    EXPECT_TRUE(f.actions().action(32773)->isCheckable());
    EXPECT_FALSE(f.actions().action(32772)->isCheckable()) << "Stop has none";
    QTemporaryDir dir;
    const QString mp3 = dir.filePath(QStringLiteral("song.MP3"));
    const QString ogg = dir.filePath(QStringLiteral("song.ogg"));
    for (const QString& path : {mp3, ogg}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    document.model().reset({mp3, ogg, QStringLiteral("5.pause")}, 0);
    EXPECT_TRUE(f.IsCommandEnabled(32877));
    document.model().setCurrent(1);
    EXPECT_FALSE(f.IsCommandEnabled(32877)) << "only MP3 entries";
    document.model().setCurrent(2);
    EXPECT_FALSE(f.IsCommandEnabled(32877));
}

TEST_F(MainFrameTest, LetterKeysActOnThePlaylist) {
    document.model().reset({QStringLiteral("5.pause"), QStringLiteral("7.pause")}, 0);
    WatchedFrame& f = ShownFrame();
    QTest::keyClick(f.view().listBox(), Qt::Key_D);  // move down
    EXPECT_EQ(document.model().paths(),
              (QStringList{QStringLiteral("7.pause"), QStringLiteral("5.pause")}));
    QTest::keyClick(f.view().listBox(), Qt::Key_T);  // track numbers
    EXPECT_TRUE(settings::viewSettings().showTrackNo);
    QTest::keyClick(f.view().listBox(), Qt::Key_P);  // play
    EXPECT_TRUE(document.HasCurrentTrack());
    QTest::keyClick(f.view().listBox(), Qt::Key_Pause);
    EXPECT_TRUE(f.view().playlistPlayer().player().IsPaused());
    QTest::keyClick(f.view().listBox(), Qt::Key_MediaStop);
    EXPECT_FALSE(document.HasCurrentTrack());
}

// Plain keys type in a text field and search or move in the explorer tree; only keys with
// Ctrl and the function and media keys are commands there.
TEST_F(MainFrameTest, PlainKeysStayWithTextFieldsAndTheExplorerTree) {
    document.model().reset({QStringLiteral("5.pause"), QStringLiteral("7.pause")}, 0);
    WatchedFrame& f = ShownFrame();
    f.passOn = false;
    auto* field = new QLineEdit(&f);
    f.statusBar()->addWidget(field);
    field->show();
    QTreeView* tree = f.explorerBar()->tree();
    f.explorerBar()->show();
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
    } plainKeys[] = {{Qt::Key_P, Qt::NoModifier},      {Qt::Key_N, Qt::NoModifier},
                     {Qt::Key_S, Qt::NoModifier},      {Qt::Key_A, Qt::NoModifier},
                     {Qt::Key_Delete, Qt::NoModifier}, {Qt::Key_Delete, Qt::AltModifier},
                     {Qt::Key_Insert, Qt::NoModifier}, {Qt::Key_U, Qt::ShiftModifier}};
    for (QWidget* widget : {static_cast<QWidget*>(field), static_cast<QWidget*>(tree)}) {
        widget->setFocus();
        ASSERT_TRUE(widget->hasFocus());
        for (const auto& plain : plainKeys) {
            f.commands.clear();
            QTest::keyClick(widget, plain.key, plain.modifiers);
            EXPECT_TRUE(f.commands.isEmpty())
                << widget->metaObject()->className() << " key " << plain.key;
        }
        f.commands.clear();
        QTest::keyClick(widget, Qt::Key_O, Qt::ControlModifier);
        QTest::keyClick(widget, Qt::Key_F11);
        QTest::keyClick(widget, Qt::Key_MediaNext);
        EXPECT_EQ(f.commands, (QList<int>{57601, 32899, 32776}))
            << widget->metaObject()->className();
    }
    EXPECT_EQ(field->text(), QStringLiteral("pnsau")) << "the letters were typed";
    f.view().listBox()->setFocus();
    f.commands.clear();
    QTest::keyClick(f.view().listBox(), Qt::Key_P);
    QTest::keyClick(f.view().listBox(), Qt::Key_Delete);
    EXPECT_EQ(f.commands, (QList<int>{32771, 57632})) << "the playlist takes them";
}

TEST_F(MainFrameTest, MenusHoldTheirItemsInOrder) {
    WatchedFrame& f = MakeFrame();
    const QList<QAction*> popups = f.menuBar()->actions();
    QStringList titles;
    for (const QAction* popup : popups) {
        titles.append(popup->text());
    }
    EXPECT_EQ(titles, (QStringList{QStringLiteral("&File"), QStringLiteral("&Edit"),
                                   QStringLiteral("&View"), QStringLiteral("&Playlist"),
                                   QStringLiteral("&Media"), QStringLiteral("P&rograms"),
                                   QStringLiteral("&Tools"), QStringLiteral("&Help")}));
    const QList<QList<int>> expected = {
        {57600, 57601, 57603, 57604, 32809, 44000, 32783, 57665},
        {57643, 57644, 57635, 57634, 57637, 57632, 57633},
        {32859, 43100, 32810, 32795, 32818, 32899},
        {32781, 32806, 32805, 32817, 32858, 32808, 32792},
        {32771, 194, 32779, 32782, 32862, 32878},
        {32815},
        {32784, 32798, 32802, 32780},
        {32875, 57664},
    };
    for (int i = 0; i < popups.size(); ++i) {
        EXPECT_EQ(MenuIds(popups[i]->menu()), expected[i]) << titles[i].toStdString();
    }
    const QMenu* toolbars = popups[2]->menu()->actions().first()->menu();
    EXPECT_EQ(MenuIds(toolbars), (QList<int>{59392, 59400, 59399, 59396, 59393}));
    EXPECT_EQ(MenuIds(f.tray().menu()), (QList<int>{32812, 32781, 44000, 57632, 32783, 55296, 32773,
                                                    32860, 32776, 32771, 57665, 32895}));
    const auto* context = f.findChild<QMenu*>(QStringLiteral("PlaylistContextMenu"));
    ASSERT_TRUE(context);
    EXPECT_EQ(MenuIds(context), (QList<int>{32781, 44000, 57632, 32783, 55296, 32891, 32877}));
}

TEST_F(MainFrameTest, ExplorerItemIsTheSelectedFilesMenuOrRemoved) {
    QTemporaryDir dir;
    const QString song = dir.filePath(QStringLiteral("song.wav"));
    QFile(song).open(QIODevice::WriteOnly);
    document.model().reset({song, QStringLiteral("4.pause")}, 0);
    WatchedFrame& f = MakeFrame();
    QMenu* context = f.findChild<QMenu*>(QStringLiteral("PlaylistContextMenu"));
    QAction* explorer = nullptr;
    for (QAction* action : context->actions()) {
        if (action->data().toInt() == 55296)
            explorer = action;
    }
    ASSERT_TRUE(explorer && explorer->menu());
    Q_EMIT context->aboutToShow();
    EXPECT_TRUE(explorer->isVisible());
    QStringList items;
    for (const QAction* action : explorer->menu()->actions()) {
        if (!action->isSeparator())
            items.append(action->text());
    }
    EXPECT_EQ(items, (QStringList{QStringLiteral("&Open with Default Application"),
                                  QStringLiteral("&Show in Folder"), QStringLiteral("&Copy Path"),
                                  QStringLiteral("Move to &Trash")}));
    document.model().setCurrent(1);  // a pause has no file
    Q_EMIT context->aboutToShow();
    EXPECT_FALSE(explorer->isVisible());
}

TEST_F(MainFrameTest, FirstStartReadsNoOtherMainFrameValues) {
    reg::RegKey key = MainFrameKey();
    key.setBinary(settings::keys::kFullScreen, QByteArray("\1\0\0\0", 4));
    key.setBinary(settings::keys::kAlwaysOnTop, QByteArray("\1\0\0\0", 4));
    key.setBinary(settings::keys::kHideWhenMinimized, QByteArray("\1\0\0\0", 4));
    WatchedFrame& f = ShownFrame();
    EXPECT_FALSE(f.fullScreen().IsOn());
    EXPECT_FALSE(f.IsAlwaysOnTop());
    EXPECT_FALSE(f.HideWhenMinimized());
}

TEST_F(MainFrameTest, StoredPlacementAndFlagsAreApplied) {
    settings::MainFrameSettings stored;
    stored.windowPos = settings::WindowPlacement{};
    stored.windowPos->normal = {40, 30, 640, 430};
    stored.alwaysOnTop = true;
    stored.hideWhenMinimized = true;
    reg::RegKey key = MainFrameKey();
    settings::saveMainFrameSettings(key, stored);
    WatchedFrame& f = ShownFrame();
    EXPECT_EQ(f.geometry(), QRect(40, 30, 600, 400));
    EXPECT_TRUE(f.IsAlwaysOnTop());
    EXPECT_TRUE(f.HideWhenMinimized());
    EXPECT_FALSE(f.fullScreen().IsOn());
}

TEST_F(MainFrameTest, RectangleOutsideTheDesktopIsIgnoredButFullScreenIsRestored) {
    settings::MainFrameSettings stored;
    stored.windowPos = settings::WindowPlacement{};
    stored.windowPos->normal = {5000, 5000, 5600, 5400};
    stored.fullScreen = true;
    reg::RegKey key = MainFrameKey();
    settings::saveMainFrameSettings(key, stored);
    WatchedFrame& f = ShownFrame();
    EXPECT_TRUE(f.fullScreen().IsOn());
    EXPECT_FALSE(f.fullScreen().RememberedRect().intersects(QRect(5000, 5000, 600, 400)));
    EXPECT_EQ(f.geometry(), f.fullScreen().MonitorRect());
}

TEST_F(MainFrameTest, CloseSavesTheFrameValuesLeavingFullScreenFirst) {
    WatchedFrame& f = ShownFrame();
    f.setGeometry(70, 60, 500, 300);
    f.SetAlwaysOnTop(true);
    f.SetHideWhenMinimized(true);
    f.fullScreen().Toggle();  // as "FullScreen" restores it at start
    ASSERT_TRUE(f.fullScreen().IsOn());
    EXPECT_TRUE(f.close());
    const settings::MainFrameSettings saved = settings::loadMainFrameSettings(MainFrameKey());
    ASSERT_TRUE(saved.windowPos);
    EXPECT_EQ(saved.windowPos->normal, (settings::WinRect{70, 60, 570, 360}));
    EXPECT_EQ(saved.windowPos->showCmd, 1u);
    EXPECT_TRUE(saved.fullScreen);
    EXPECT_TRUE(saved.alwaysOnTop);
    EXPECT_TRUE(saved.hideWhenMinimized);
    EXPECT_TRUE(document.IsClosing());
}

// Without a video Full Screen is only the way out of the frame's own full screen.
TEST_F(MainFrameTest, FullScreenWithoutVideoOnlyLeavesTheFramesFullScreen) {
    WatchedFrame& f = ShownFrame();
    EXPECT_FALSE(f.IsCommandEnabled(32899));
    f.OnCommand(32899);
    EXPECT_FALSE(f.fullScreen().IsOn());
    f.fullScreen().Toggle();
    EXPECT_TRUE(f.IsCommandEnabled(32899));
    EXPECT_TRUE(f.IsCommandChecked(32899));
    f.OnCommand(32899);
    EXPECT_FALSE(f.fullScreen().IsOn());
}

TEST_F(MainFrameTest, CancellingTheSaveQuestionKeepsTheWindowAsItWas) {
    WatchedFrame& f = ShownFrame();
    document.model().reset({QStringLiteral("3.pause")}, 0);
    document.SetModifiedFlag(true);
    int asked = 0;
    document.prompts().askSaveChanges = [&](const QString&) {
        ++asked;
        return playlist::CDocument::SaveAnswer::Cancel;
    };
    f.fullScreen().Toggle();
    EXPECT_FALSE(f.close());
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(f.isVisible());
    EXPECT_TRUE(f.fullScreen().IsOn());
    EXPECT_FALSE(document.IsClosing());
}

TEST_F(MainFrameTest, TitleShowsThePlayingEntryAndReturnsToThePlaylist) {
    document.model().reset({QStringLiteral("30.pause")}, 0);
    WatchedFrame& f = ShownFrame();
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Untitled - Tavi"));
    f.OnCommand(32771);
    ASSERT_TRUE(document.HasCurrentTrack());
    EXPECT_EQ(f.windowTitle(), playlist::GetDisplayName(QStringLiteral("30.pause")));
    EXPECT_EQ(f.tray().icon().Tooltip(), f.windowTitle());
    EXPECT_TRUE(f.positionSlider()->isEnabled());
    f.OnCommand(32773);  // pause
    EXPECT_EQ(f.tray().icon().CurrentFrame(), kPlayingIconFirst);
    f.OnCommand(32772);
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Untitled - Tavi"));
    EXPECT_EQ(f.tray().icon().Tooltip(), QStringLiteral("Tavi"));
    EXPECT_FALSE(f.positionSlider()->isEnabled());
}

// Nobody sees a minimised window: its slider and idle pass stop until it is restored. The
// position pane's text changes every second; that must not lay out the status bar again.
TEST_F(MainFrameTest, AMinimisedWindowStopsItsRefreshesAndThePositionPaneKeepsItsPlace) {
    document.model().reset({QStringLiteral("30.pause")}, 0);
    WatchedFrame& f = ShownFrame();
    f.OnCommand(32771);
    ASSERT_TRUE(document.HasCurrentTrack());
    playlist::PlaylistPlayer& player = f.view().playlistPlayer();
    EXPECT_TRUE(f.positionSlider()->IsFollowing());
    EXPECT_GT(player.IdleInterval(), 0);
    f.showMinimized();
    ASSERT_TRUE(tavi::test::processEventsUntil([&] { return f.isMinimized(); }, 2000));
    EXPECT_FALSE(f.positionSlider()->IsFollowing());
    EXPECT_EQ(player.IdleInterval(), 0);
    f.showNormal();
    ASSERT_TRUE(tavi::test::processEventsUntil([&] { return !f.isMinimized(); }, 2000));
    EXPECT_TRUE(f.positionSlider()->IsFollowing());
    EXPECT_GT(player.IdleInterval(), 0);

    QLabel* pane = f.bars().positionPane();
    player.SetIdleShown(false);  // only the text set here changes
    QCoreApplication::processEvents();
    const QRect before = pane->geometry();
    bool laidOut = false;
    LayoutWatch watch(*f.statusBar(), laidOut);
    pane->setText(QStringLiteral("12:34:56"));
    QCoreApplication::processEvents();
    EXPECT_FALSE(laidOut);
    EXPECT_EQ(pane->geometry(), before);
    f.OnCommand(32772);
}

TEST_F(MainFrameTest, OneFileDroppedOnTheBarsOpensThroughTheApplicationSeveralJoinThePlaylist) {
    WatchedFrame& f = ShownFrame();
    QToolBar* bar = f.bars().mediaBar();
    const auto drop = [&](const QList<QUrl>& urls) {
        QMimeData data;
        data.setUrls(urls);
        const QPoint at = bar->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&f, &enter);
        QDropEvent dropEvent(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&f, &dropEvent);
        QApplication::processEvents();
    };
    drop({QUrl::fromLocalFile(QStringLiteral("/music/a.mp3"))});
    EXPECT_EQ(services.opened, QStringList{QStringLiteral("/music/a.mp3")});
    QTemporaryDir dir;
    QStringList two;
    for (const char* name : {"b.wav", "c.wav"}) {
        two.append(dir.filePath(QString::fromLatin1(name)));
        QFile(two.last()).open(QIODevice::WriteOnly);
    }
    drop({QUrl::fromLocalFile(two[0]),
          QUrl::fromLocalFile(two[1])});  // several: the playlist's drop
    EXPECT_EQ(services.opened.size(), 1);
    EXPECT_EQ(document.model().paths(), two);
}

TEST_F(MainFrameTest, FindIsOneModelessDialogThatWrapsAround) {
    document.model().reset({QStringLiteral("/m/Blue Song.mp3"), QStringLiteral("/m/red.mp3"),
                            QStringLiteral("/m/blue moon.mp3")},
                           1);
    WatchedFrame& f = ShownFrame();
    f.OnCommand(32817);
    FindDialog* find = f.findDialog();
    ASSERT_TRUE(find);
    EXPECT_FALSE(find->isModal());
    f.OnCommand(32817);
    EXPECT_EQ(f.findDialog(), find);
    find->textField()->setText(QStringLiteral("blue"));
    const auto next = [&] { Q_EMIT find->findNext(find->Request()); };
    next();
    EXPECT_EQ(document.model().current(), 2);
    next();
    EXPECT_EQ(document.model().current(), 0);  // wrapped
    find->matchCaseBox()->setChecked(true);
    next();
    EXPECT_EQ(document.model().current(), 2);
    find->close();
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(f.findDialog(), nullptr);  // closing forgets it
}

// With tag names on, Find looks at the names the list reads off the UI thread.
TEST_F(MainFrameTest, FindWaitsForTheNamesStillBeingRead) {
    const playlist::DisplayNameHooks saved = playlist::displayNameHooks();
    playlist::displayNameHooks().mediaFileName = [](const QString& path,
                                                    const playlist::NameOptions&) {
        return path.endsWith(QLatin1String("red.mp3")) ? QStringLiteral("Blue Note") : QString();
    };
    settings::viewSettings().useMetaData = true;
    document.model().reset(
        {QStringLiteral("/m/a.mp3"), QStringLiteral("/m/red.mp3"), QStringLiteral("/m/c.mp3")}, 0);
    WatchedFrame& f = ShownFrame();
    f.OnCommand(32817);
    FindDialog* find = f.findDialog();
    ASSERT_TRUE(find);
    find->textField()->setText(QStringLiteral("note"));
    Q_EMIT find->findNext(find->Request());
    EXPECT_TRUE(
        test::processEventsUntil([this] { return document.model().current() == 1; }, 20000));
    playlist::displayNameHooks() = saved;
}

TEST_F(MainFrameTest, CommandStatesFollowSettingsAndSelection) {
    WatchedFrame& f = MakeFrame();
    settings::playerSettings().mixer.clear();
    EXPECT_FALSE(f.IsCommandEnabled(32784));
    settings::playerSettings().mixer = QStringLiteral("true");
    EXPECT_TRUE(f.IsCommandEnabled(32784));
    EXPECT_FALSE(f.IsCommandEnabled(32891));  // Properties without a selection
    EXPECT_FALSE(f.IsCommandEnabled(32771));
    document.model().reset({QStringLiteral("3.pause")}, 0);
    EXPECT_TRUE(f.IsCommandEnabled(32771));
    EXPECT_FALSE(f.IsCommandChecked(32795));
    f.OnCommand(32795);
    EXPECT_TRUE(f.IsCommandChecked(32795));
    f.OnCommand(32782);  // random play
    EXPECT_TRUE(f.IsCommandChecked(32782));
    f.OnCommand(59400);
    EXPECT_FALSE(f.IsCommandChecked(59400));
}

TEST_F(MainFrameTest, FileCommandsGoToTheApplication) {
    services.recent.add(QStringLiteral("/lists/b.alb"));
    services.recent.add(QStringLiteral("/lists/a.alb"));
    WatchedFrame& f = MakeFrame();
    f.OnCommand(57617);  // the second recent file
    f.OnCommand(57616);
    f.OnCommand(57620);  // no such entry
    EXPECT_EQ(services.opened,
              (QStringList{QStringLiteral("/lists/b.alb"), QStringLiteral("/lists/a.alb")}));
    f.OnCommand(57600);
    EXPECT_EQ(services.newDocuments, 1);
}

TEST_F(MainFrameTest, HideWhenMinimizedLeavesOnlyTheTrayAndRestoreBringsTheWindowBack) {
    WatchedFrame& f = ShownFrame();
    f.OnCommand(32895);
    EXPECT_TRUE(f.IsCommandChecked(32895));
    f.showMinimized();
    EXPECT_TRUE(test::processEventsUntil([&] { return f.isHidden(); }, 2000));
    f.OnCommand(32812);  // Restore
    EXPECT_TRUE(f.isVisible());
    EXPECT_FALSE(f.isMinimized());
    f.showMinimized();
    ASSERT_TRUE(test::processEventsUntil([&] { return f.isHidden(); }, 2000));
    f.OnCommand(32895);  // switched off while hidden: shown minimised
    EXPECT_TRUE(f.isVisible());
    EXPECT_TRUE(f.isMinimized());
}

TEST_F(MainFrameTest, BarLayoutIsKeptAcrossRuns) {
    {
        WatchedFrame& f = ShownFrame();
        f.OnCommand(59392);  // hide the main tool bar
        f.OnCommand(59393);  // and the status bar
        EXPECT_TRUE(f.close());
        frame.reset();
    }
    WatchedFrame& again = ShownFrame();
    EXPECT_FALSE(again.bars().mainToolBar()->isVisible());
    EXPECT_FALSE(again.statusBar()->isVisible());
    EXPECT_TRUE(again.bars().mediaBar()->isVisible());
    EXPECT_FALSE(again.IsCommandChecked(59392));
    EXPECT_TRUE(again.IsCommandChecked(59396));
}

TEST(AboutDialog, HasFourPagesTheFirstWithTheVersion) {
    AboutDialog about;
    ASSERT_EQ(about.pages()->count(), 4);
    bool versionShown = false;
    for (const QLabel* label : about.pages()->widget(0)->findChildren<QLabel*>()) {
        versionShown |= label->text().contains(QStringLiteral(TAVI_VERSION_STRING));
    }
    EXPECT_TRUE(versionShown);
}

TEST(AnimatedNotifyIcon, TurnsThroughItsFourFramesAndStopsOnTheFirst) {
    CAnimatedNotifyIcon icon;
    QList<int> seen;
    icon.StartAnimation();
    EXPECT_TRUE(icon.IsAnimating());
    test::processEventsUntil(
        [&] {
            if (seen.isEmpty() || seen.last() != icon.CurrentFrame())
                seen.append(icon.CurrentFrame());
            return seen.size() >= 5;
        },
        3000);
    EXPECT_EQ(seen, (QList<int>{136, 137, 138, 139, 136}));
    icon.StopAnimation();
    EXPECT_FALSE(icon.IsAnimating());
    EXPECT_EQ(icon.CurrentFrame(), 136);
}

// Options, then OK: the application writes the settings at once, not only at exit, and the
// list names its rows anew by the options as they are now.
TEST_F(MainFrameTest, OkInTheOptionsSheetWritesTheSettingsAndRenamesTheRows) {
    WatchedFrame& shown = ShownFrame();
    document.model().reset({QStringLiteral("7.pause")}, 0);
    QSignalSpy renamed(&document.model(), &QAbstractItemModel::dataChanged);
    QTimer::singleShot(0, [] {
        if (auto* sheet = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            sheet->accept();
        }
    });
    shown.OnCommand(tavi::frame::cmd::kOptions);
    EXPECT_EQ(services.settingsSaved, 1);
    EXPECT_GE(renamed.count(), 1);
}
