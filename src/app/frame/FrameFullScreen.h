#pragma once

#include <QRect>

class QMainWindow;

namespace tavi::frame {

// Full screen of the main window: no caption or border, covering the monitor that holds
// most of the window; leaving it gives back the remembered rectangle (and the maximised
// state the window had).
class FrameFullScreen {
public:
    explicit FrameFullScreen(QMainWindow& window) : m_window(window) {}

    bool IsOn() const { return m_on; }
    void Enter();
    void Leave();
    void Toggle() { m_on ? Leave() : Enter(); }
    QRect MonitorRect() const { return m_monitor; }
    QRect RememberedRect() const { return m_remembered; }

private:
    QMainWindow& m_window;
    bool m_on = false;
    bool m_wasMaximized = false;
    QRect m_remembered;
    QRect m_monitor;
};

}  // namespace tavi::frame
