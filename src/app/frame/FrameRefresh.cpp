#include "FrameRefresh.h"

#include "CPositionSlider.h"
#include "playlist/player/PlaylistPlayer.h"

#include <QApplication>
#include <QEvent>
#include <QMainWindow>

namespace tavi::frame {

namespace {

// What the user does that can change a command's state: keys, clicks, drops, focus.
bool IsUserInput(QEvent::Type type) {
    switch (type) {
        case QEvent::KeyRelease:
        case QEvent::MouseButtonRelease:
        case QEvent::Wheel:
        case QEvent::Drop:
        case QEvent::FocusIn:
        case QEvent::WindowActivate:
            return true;
        default:
            return false;
    }
}

}  // namespace

FrameRefresh::FrameRefresh(QMainWindow& window, CPositionSlider& slider,
                           playlist::PlaylistPlayer& player)
    : m_window(window), m_slider(slider), m_player(player) {
    window.installEventFilter(this);
    qApp->installEventFilter(this);
    // The position pane follows a dragged thumb as it moves.
    connect(&slider, &CPositionSlider::sliderMoved, this, [this] { m_player.RequestIdle(); });
    Update();
}

FrameRefresh::~FrameRefresh() {
    m_window.removeEventFilter(this);
    qApp->removeEventFilter(this);
}

bool FrameRefresh::IsSeen(const QWidget& window) {
    return window.isVisible() && !window.isMinimized();
}

void FrameRefresh::Update() {
    const bool seen = IsSeen(m_window);
    m_slider.SetShown(seen);
    m_player.SetIdleShown(seen);
}

bool FrameRefresh::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched == &m_window &&
        (type == QEvent::Show || type == QEvent::Hide || type == QEvent::WindowStateChange)) {
        Update();
    } else if (IsUserInput(type)) {
        m_player.RequestIdle();
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace tavi::frame
