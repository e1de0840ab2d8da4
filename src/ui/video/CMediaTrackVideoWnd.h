#pragma once

#include "engines/VideoWindowHost.h"

#include <QDeadlineTimer>
#include <QKeyCombination>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace tavi::ui {

class VideoSurfaceWidget;

// The one top-level window that shows video, created on first use and kept until the
// program ends. Closing it only hides it (remembering its rectangle in VideoRect); a double
// click toggles full screen on the nearest screen, where the cursor hides after a while.
// While a track's video is attached, size changes reach the track and key presses go to the
// key handler (the main window's key table), so the player's shortcuts keep working: Qt
// fires a window's shortcuts only while that window is active, so a key event sent on to
// the main window would find none.
class CMediaTrackVideoWnd : public QWidget, public engines::VideoWindowHost {
    Q_OBJECT
public:
    static constexpr int kTimerIntervalMs = 100;
    static constexpr int kCursorHideAfterFullScreenMs = 1000;
    static constexpr int kCursorHideAfterMoveMs = 3000;

    // The shared window; created hidden at the saved VideoRect on the first call.
    static CMediaTrackVideoWnd& Instance();
    // Makes Instance the window engines show video in.
    static void Register();

    // Runs the command bound to a key; answers whether the key had one.
    using KeyHandler = std::function<bool(QKeyCombination key)>;
    // Where key presses go while a track is attached.
    void SetKeyHandler(KeyHandler handler) { m_keyHandler = std::move(handler); }
    void ToggleFullScreen();
    bool IsCursorShown() const { return m_cursorShown; }
    VideoSurfaceWidget* surface() const { return m_surface; }
    engines::CMediaTrack* attachedTrack() const { return m_track; }

    // engines::VideoWindowHost
    void AttachTrack(engines::CMediaTrack* track, uint64_t surfaceId) override;
    void DetachTrack(engines::CMediaTrack* track) override;
    void SetTitle(const QString& title) override { setWindowTitle(title); }
    void DelayedHide(int milliseconds) override;
    void CancelDelayedHide() override;
    bool IsFullScreen() const override { return m_fullScreen; }
    bool IsMaximized() const override { return isMaximized(); }
    void SetFullScreen(bool on) override;
    void Maximize() override { showMaximized(); }
    QSize ClientSize() const override { return size(); }
    void SizeToVideo(QSize video) override;
    void SetVideoPosition(const QRect& rect) override;
    engines::VideoSurface CreateVideoSurface() override;

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    CMediaTrackVideoWnd();

    void OnHideTimer();
    void OnCursorTimer();
    void ArmCursorTimer(int milliseconds);
    void ShowCursor(bool wanted);
    bool HasKeyboardFocus() const;
    bool ForwardKey(QKeyEvent* event);
    void SaveVideoRect();

    VideoSurfaceWidget* m_surface;
    engines::CMediaTrack* m_track = nullptr;  // the attached video hook's track
    KeyHandler m_keyHandler;
    QTimer m_hideTimer;
    QDeadlineTimer m_hideDeadline;
    QTimer m_cursorTimer;
    QDeadlineTimer m_cursorDeadline;
    bool m_cursorShown = true;
    QPoint m_lastCursorPos;
    bool m_fullScreen = false;
    QRect m_normalRect;  // the rectangle before full screen
};

}  // namespace tavi::ui
