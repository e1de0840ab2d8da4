// The window a mini playlist plays in: shown when it plays, owned by the main window, its
// close button ignored, its place remembered, gone with its track.
#include "engines/TrackRecorder.h"
#include "engines/miniplaylist/CMiniPlaylistTrack.h"
#include "engines/miniplaylist/MiniPlaylistFiles.h"
#include "support/PlaybackEnvironment.h"
#include "support/SettingsScope.h"
#include "playlist/view/CMediaListBox.h"
#include "ui/miniplaylist/MiniPlaylistWindow.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QListView>
#include <QMessageBox>
#include <QPointer>

using namespace tavi::engines;
using tavi::test::processEventsUntil;
using tavi::ui::MiniPlaylistWindow;

namespace {

class MiniPlaylistWindowTest : public testing::Test {
protected:
    MiniPlaylistWindowTest() {
        tavi::test::PrepareForPlayback();
        owner->show();
        MiniPlaylistWindow::Register(owner.get());
    }
    ~MiniPlaylistWindowTest() override { SetMiniPlaylistViewProvider(nullptr); }

    static MiniPlaylistWindow* shown() {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* window = qobject_cast<MiniPlaylistWindow*>(widget);
                window && window->isVisible()) {
                return window;
            }
        }
        return nullptr;
    }

    tavi::test::SettingsScope settings;
    std::unique_ptr<QWidget> owner = std::make_unique<QWidget>();
    tavi::test::MiniPlaylistFolder folder;
    tavi::test::TrackRecorder recorder;
};

}  // namespace

TEST_F(MiniPlaylistWindowTest, ShowsWhilePlayingIgnoresItsCloseButtonAndKeepsItsPlace) {
    tavi::settings::viewSettings().miniPlaylistRect = {40, 50, 240, 300};
    const QString list = folder.list(QStringLiteral("Evening.mpl"),
                                     {folder.tone(QStringLiteral("a.wav"), 0.4, 440),
                                      folder.tone(QStringLiteral("b.wav"), 0.4, 880)});
    CMiniPlaylistTrack track;
    track.SetCallback(&recorder);
    track.Open(list);
    EXPECT_FALSE(shown()) << "opening to measure shows nothing";
    track.Play();
    QPointer<MiniPlaylistWindow> window = shown();
    ASSERT_TRUE(window);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Evening"));
    EXPECT_EQ(window->parentWidget(), owner.get());
    EXPECT_EQ(window->geometry(), QRect(40, 50, 200, 250));
    EXPECT_FALSE(window->list()->isEnabled());
    EXPECT_EQ(window->list()->model()->rowCount(), 2);
    EXPECT_TRUE(window->close() == false && window->isVisible()) << "the close button does nothing";
    window->setGeometry(60, 70, 300, 200);
    EXPECT_EQ(tavi::settings::viewSettings().miniPlaylistRect,
              (tavi::settings::WinRect{60, 70, 360, 270}));
    ASSERT_TRUE(
        processEventsUntil([&] { return window->list()->currentIndex().row() == 1; }, 5000));
    ASSERT_TRUE(processEventsUntil([&] { return !recorder.reports.empty(); }, 5000));
    track.Close();
    EXPECT_FALSE(window) << "the window closes with its track";
}

TEST_F(MiniPlaylistWindowTest, AnErrorIsShownWithoutStoppingTheWindowAndTheOwnerMayGoFirst) {
    const QString list = folder.list(QStringLiteral("m.mpl"),
                                     {folder.write(QStringLiteral("bad.wav"), "not a sound")});
    CMiniPlaylistTrack track;
    track.SetCallback(&recorder);
    track.Open(list);
    track.Play();
    ASSERT_TRUE(
        processEventsUntil([] { return QApplication::activeModalWidget() || shown(); }, 2000));
    const bool boxShown =
        processEventsUntil([&] { return !owner->findChildren<QMessageBox*>().isEmpty(); }, 2000);
    EXPECT_TRUE(boxShown);
    owner.reset();  // the program ends with the window still open
    track.Close();
}
