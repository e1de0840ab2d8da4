#include "CMediaTrackVideoWnd.h"

#include "ui/NearestScreen.h"
#include "ui/WinRectGeometry.h"

#include "VideoSurfaceWidget.h"
#include "app/settings/ViewSettings.h"
#include "engines/CMediaTrack.h"

#include <QCloseEvent>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

#include <memory>

namespace tavi::ui {

namespace {

// Size types the track's OnVideoSize receives, as the window system reports them.
constexpr uint32_t kSizeRestored = 0;
constexpr uint32_t kSizeMinimized = 1;
constexpr uint32_t kSizeMaximized = 2;

// The screen that holds the window's centre, else the one sharing most of its area.
QScreen* NearestScreen(const QRect& window, QScreen* fallback) {
    if (QScreen* screen = QGuiApplication::screenAt(window.center())) {
        return screen;
    }
    return ui::ScreenShowingMost(window, fallback);
}

}  // namespace

CMediaTrackVideoWnd& CMediaTrackVideoWnd::Instance() {
    // Deliberately never destroyed before the application object: the window lives to the
    // end of the program, and tracks may still hold it while the program shuts down.
    static CMediaTrackVideoWnd* window = new CMediaTrackVideoWnd();
    return *window;
}

void CMediaTrackVideoWnd::Register() {
    engines::SetVideoWindowProvider([]() -> engines::VideoWindowHost* { return &Instance(); });
}

CMediaTrackVideoWnd::CMediaTrackVideoWnd() : m_surface(new VideoSurfaceWidget(this)) {
    setWindowTitle(tr("MediaTrack Video Window"));
    setAttribute(Qt::WA_QuitOnClose, false);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setAutoFillBackground(true);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setGeometry(FromWinRect(settings::viewSettings().videoRect));
    m_surface->setGeometry(rect());
    m_hideTimer.setInterval(kTimerIntervalMs);
    m_cursorTimer.setInterval(kTimerIntervalMs);
    connect(&m_hideTimer, &QTimer::timeout, this, &CMediaTrackVideoWnd::OnHideTimer);
    connect(&m_cursorTimer, &QTimer::timeout, this, &CMediaTrackVideoWnd::OnCursorTimer);
}

void CMediaTrackVideoWnd::AttachTrack(engines::CMediaTrack* track, uint64_t surfaceId) {
    m_track = track;
    m_surface->ShowSurface(surfaceId);
}

void CMediaTrackVideoWnd::DetachTrack(engines::CMediaTrack* track) {
    if (m_track == track) {
        m_track = nullptr;
    }
}

void CMediaTrackVideoWnd::DelayedHide(int milliseconds) {
    m_hideDeadline.setRemainingTime(milliseconds);
    if (!m_hideTimer.isActive()) {
        m_hideTimer.start();
    }
}

void CMediaTrackVideoWnd::CancelDelayedHide() {
    m_hideTimer.stop();
    if (!isVisible()) {
        show();
    }
}

void CMediaTrackVideoWnd::OnHideTimer() {
    if (!m_hideDeadline.hasExpired()) {
        return;
    }
    m_hideTimer.stop();
    if (isVisible()) {
        hide();
    }
    ShowCursor(true);
}

void CMediaTrackVideoWnd::SetFullScreen(bool on) {
    if (on == m_fullScreen) {
        return;
    }
    m_fullScreen = on;
    if (on) {
        m_normalRect = geometry();
        QScreen* screen = NearestScreen(frameGeometry(), this->screen());
        if (windowHandle() && screen && screen != windowHandle()->screen()) {
            windowHandle()->setScreen(screen);
        }
        if (screen) {
            setGeometry(screen->geometry());
        }
        showFullScreen();
        ArmCursorTimer(kCursorHideAfterFullScreenMs);
    } else {
        showNormal();
        setGeometry(m_normalRect);
        ShowCursor(true);
    }
}

void CMediaTrackVideoWnd::ToggleFullScreen() {
    SetFullScreen(!m_fullScreen);
}

void CMediaTrackVideoWnd::SizeToVideo(QSize video) {
    // Qt sizes the client area; the window manager adds the frame and caption around it.
    setGeometry(QRect(geometry().topLeft(), video));
    show();
}

void CMediaTrackVideoWnd::SetVideoPosition(const QRect& rect) {
    m_surface->setGeometry(rect);
}

engines::VideoSurface CMediaTrackVideoWnd::CreateVideoSurface() {
    return m_surface->CreateSurface();
}

void CMediaTrackVideoWnd::SaveVideoRect() {
    const QRect normal = m_fullScreen ? m_normalRect : geometry();
    settings::viewSettings().videoRect = ToWinRect(normal);
}

// Closing hides the window and keeps it for the next video.
void CMediaTrackVideoWnd::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) {
        setWindowTitle(tr("MediaTrack Video Window"));
    }
}

void CMediaTrackVideoWnd::closeEvent(QCloseEvent* event) {
    if (m_track) {
        m_track->OnVideoClose();
    }
    if (isVisible() && !isMaximized() && !isMinimized()) {
        SaveVideoRect();
    }
    event->ignore();
    hide();
}

void CMediaTrackVideoWnd::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (!m_track) {
        m_surface->setGeometry(rect());
        return;
    }
    const uint32_t sizeType = isMinimized()   ? kSizeMinimized
                              : isMaximized() ? kSizeMaximized
                                              : kSizeRestored;
    m_track->OnVideoSize(sizeType, width(), height());
}

void CMediaTrackVideoWnd::mouseDoubleClickEvent(QMouseEvent* event) {
    ToggleFullScreen();
    event->accept();
}

void CMediaTrackVideoWnd::mouseMoveEvent(QMouseEvent* event) {
    const QPoint position = event->globalPosition().toPoint();
    if (position != m_lastCursorPos) {
        m_lastCursorPos = position;
        ShowCursor(true);
        ArmCursorTimer(kCursorHideAfterMoveMs);
    }
    QWidget::mouseMoveEvent(event);
}

void CMediaTrackVideoWnd::ArmCursorTimer(int milliseconds) {
    if (!m_cursorShown) {
        return;
    }
    m_cursorDeadline.setRemainingTime(milliseconds);
    if (!m_cursorTimer.isActive()) {
        m_cursorTimer.start();
    }
}

void CMediaTrackVideoWnd::OnCursorTimer() {
    if (m_cursorDeadline.hasExpired() && HasKeyboardFocus()) {
        ShowCursor(false);
    }
}

// The widget layer's active window is cleared when the window hides and not always set
// again when it returns, while the window system's focus window stays right.
bool CMediaTrackVideoWnd::HasKeyboardFocus() const {
    return isActiveWindow() || (windowHandle() && QGuiApplication::focusWindow() == windowHandle());
}

// Outside full screen, or with the cursor off the window, the cursor always shows.
void CMediaTrackVideoWnd::ShowCursor(bool wanted) {
    m_cursorTimer.stop();
    if (!m_fullScreen || !rect().contains(mapFromGlobal(QCursor::pos()))) {
        wanted = true;
    }
    if (wanted == m_cursorShown) {
        return;
    }
    m_cursorShown = wanted;
    if (wanted) {
        unsetCursor();
    } else {
        setCursor(Qt::BlankCursor);
    }
}

bool CMediaTrackVideoWnd::ForwardKey(QKeyEvent* event) {
    const int key = event->key();
    const bool modifierOnly = key == Qt::Key_Shift || key == Qt::Key_Control ||
                              key == Qt::Key_Alt || key == Qt::Key_Meta || key == Qt::Key_AltGr;
    if (!m_track || !m_keyHandler || modifierOnly || !m_keyHandler(event->keyCombination())) {
        return false;
    }
    event->accept();
    return true;
}

void CMediaTrackVideoWnd::keyPressEvent(QKeyEvent* event) {
    if (!ForwardKey(event)) {
        QWidget::keyPressEvent(event);
    }
}

}  // namespace tavi::ui
