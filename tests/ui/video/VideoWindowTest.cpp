// The shared video window's own behaviour: closing, delayed hiding, full screen, the cursor,
// and the video hook that passes sizes and keys on.
#include "VideoWindowTestSupport.h"
#include "ui/video/VideoSurfaceWidget.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QScreen>
#include <QTest>

using tavi::settings::viewSettings;
using tavi::settings::WinRect;

namespace {

// A track that records what the window's video hook tells it.
class HookTrack : public tavi::engines::CMediaTrack {
public:
    void Play() override {}
    void PlayRange(double, double) override {}
    void Stop() override {}
    void Pause() override {}
    void Resume() override {}
    bool IsStopped() override { return true; }
    bool IsPaused() override { return false; }
    bool IsPlaying() override { return false; }
    void OnVideoSize(uint32_t type, int width, int height) override {
        sizes.push_back({type, QSize(width, height)});
    }
    void OnVideoClose() override { ++closes; }

    std::vector<std::pair<uint32_t, QSize>> sizes;
    int closes = 0;
};

// The main window's key table as the video window sees it: Space and Ctrl+Right are bound.
struct KeyTable {
    bool Run(QKeyCombination key) {
        keys.push_back(key);
        return key == QKeyCombination(Qt::Key_Space) ||
               key == QKeyCombination(Qt::ControlModifier, Qt::Key_Right);
    }
    std::vector<QKeyCombination> keys;
};

using VideoWindow = tavi::test::VideoWindowTest;

}  // namespace

TEST_F(VideoWindow, IsTheRegisteredWindowWithABlackBackground) {
    EXPECT_EQ(window().palette().color(QPalette::Window), QColor(Qt::black));
    EXPECT_TRUE(window().autoFillBackground());
    EXPECT_EQ(&window(), tavi::engines::videoWindowHost());
}

TEST_F(VideoWindow, ClosingHidesItAndRemembersItsRectangleForTheNextVideo) {
    HookTrack track;
    window().AttachTrack(&track, 0);
    window().show();
    window().setGeometry(QRect(70, 60, 320, 200));
    EXPECT_TRUE(window().close() || !window().isVisible());
    EXPECT_FALSE(window().isVisible());
    EXPECT_EQ(track.closes, 1);
    EXPECT_EQ(viewSettings().videoRect, (WinRect{70, 60, 390, 260}));
    EXPECT_EQ(&window(), &tavi::ui::CMediaTrackVideoWnd::Instance());

    window().DetachTrack(&track);
    window().CancelDelayedHide();  // what the next video does
    EXPECT_TRUE(window().isVisible());
    EXPECT_EQ(window().geometry(), QRect(70, 60, 320, 200));
}

TEST_F(VideoWindow, ClosingAMaximisedOrHiddenWindowKeepsTheOldRectangle) {
    viewSettings().videoRect = WinRect{1, 2, 3, 4};
    window().close();  // hidden
    EXPECT_EQ(viewSettings().videoRect, (WinRect{1, 2, 3, 4}));
    window().showMaximized();
    window().close();
    EXPECT_EQ(viewSettings().videoRect, (WinRect{1, 2, 3, 4}));
    EXPECT_FALSE(window().isVisible());
}

TEST_F(VideoWindow, HidesOneSecondAfterTheDelayedHideAndNotWhenCancelled) {
    window().show();
    window().DelayedHide(1000);
    waitFor(300);
    EXPECT_TRUE(window().isVisible()) << "hidden well before its second";
    EXPECT_TRUE(waitUntil([] { return !window().isVisible(); }, 5000));

    window().show();
    window().DelayedHide(200);
    window().CancelDelayedHide();
    waitFor(600);
    EXPECT_TRUE(window().isVisible());

    window().hide();
    window().DelayedHide(200);
    window().CancelDelayedHide();  // shows a hidden window
    EXPECT_TRUE(window().isVisible());
}

TEST_F(VideoWindow, DoubleClickTogglesFullScreenOnItsScreenAndBack) {
    window().show();
    const QRect normal = window().geometry();
    QTest::mouseDClick(&window(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    ASSERT_TRUE(window().IsFullScreen());
    EXPECT_TRUE(window().isFullScreen());
    EXPECT_EQ(window().geometry(), window().screen()->geometry());

    window().close();  // saves the rectangle it came from, not the screen's
    EXPECT_EQ(viewSettings().videoRect,
              (WinRect{normal.left(), normal.top(), normal.right() + 1, normal.bottom() + 1}));
    window().show();
    QTest::mouseDClick(window().surface(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_FALSE(window().IsFullScreen());
    EXPECT_EQ(window().geometry(), normal);
}

TEST_F(VideoWindow, CursorHidesInFullScreenOnceItsTimeHasPassedAndComesBackOnMoves) {
    window().show();
    window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    QCursor::setPos(window().screen(), window().screen()->geometry().center());
    window().SetFullScreen(true);
    EXPECT_TRUE(window().IsCursorShown());
    ASSERT_TRUE(waitUntil([] { return !window().IsCursorShown(); }, 5000));
    EXPECT_EQ(window().cursor().shape(), Qt::BlankCursor);

    QTest::mouseMove(&window(), QPoint(30, 40));
    EXPECT_TRUE(window().IsCursorShown());
    window().SetFullScreen(false);
    EXPECT_TRUE(window().IsCursorShown());
}

TEST_F(VideoWindow, TheHookPassesSizesAndKeysOnOnlyWhileATrackIsAttached) {
    HookTrack track;
    KeyTable table;
    window().SetKeyHandler([&table](QKeyCombination key) { return table.Run(key); });
    window().show();
    QTest::keyClick(&window(), Qt::Key_Space);
    EXPECT_TRUE(table.keys.empty());

    window().AttachTrack(&track, 0);
    window().resize(300, 200);
    ASSERT_FALSE(track.sizes.empty());
    EXPECT_EQ(track.sizes.back(), std::make_pair(uint32_t(0), QSize(300, 200)));
    QTest::keyClick(&window(), Qt::Key_Space);
    QTest::keyClick(&window(), Qt::Key_Right, Qt::ControlModifier);
    QTest::keyClick(&window(), Qt::Key_Q);
    // Each press once, with its modifiers; releases run nothing.
    EXPECT_EQ(table.keys,
              (std::vector<QKeyCombination>{QKeyCombination(Qt::Key_Space),
                                            QKeyCombination(Qt::ControlModifier, Qt::Key_Right),
                                            QKeyCombination(Qt::Key_Q)}));

    window().DetachTrack(&track);
    const size_t seen = track.sizes.size();
    window().resize(310, 210);
    EXPECT_EQ(track.sizes.size(), seen);
    EXPECT_EQ(window().surface()->geometry(), QRect(0, 0, 310, 210));
}
