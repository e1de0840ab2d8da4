#include "CAnimatedNotifyIcon.h"

#include "FrameIcons.h"

namespace tavi::frame {

CAnimatedNotifyIcon::CAnimatedNotifyIcon(QObject* parent)
    : CNotifyIcon(parent), m_frame(kPlayingIconFirst) {
    m_timer.setInterval(kFrameIntervalMs);
    m_timer.setTimerType(Qt::CoarseTimer);  // wakes with the window's refreshes
    connect(&m_timer, &QTimer::timeout, this, &CAnimatedNotifyIcon::NextFrame);
}

void CAnimatedNotifyIcon::StartAnimation() {
    if (!m_timer.isActive()) {
        m_timer.start();
    }
}

void CAnimatedNotifyIcon::StopAnimation() {
    m_timer.stop();
    m_frame = kPlayingIconFirst;
    SetIcon(ResourceIcon(m_frame));
}

void CAnimatedNotifyIcon::NextFrame() {
    m_frame = m_frame == kPlayingIconLast ? kPlayingIconFirst : m_frame + 1;
    SetIcon(ResourceIcon(m_frame));
}

}  // namespace tavi::frame
