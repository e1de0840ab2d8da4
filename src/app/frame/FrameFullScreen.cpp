#include "FrameFullScreen.h"

#include "ui/NearestScreen.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>

namespace tavi::frame {

void FrameFullScreen::Enter() {
    if (m_on) {
        return;
    }
    m_wasMaximized = m_window.isMaximized();
    m_remembered =
        m_window.normalGeometry().isValid() ? m_window.normalGeometry() : m_window.geometry();
    QScreen* screen =
        ui::ScreenShowingMost(m_window.frameGeometry(), QGuiApplication::primaryScreen());
    m_monitor = screen ? screen->geometry() : m_window.geometry();
    m_on = true;
    m_window.setWindowFlag(Qt::FramelessWindowHint, true);
    m_window.setMaximumSize(m_monitor.size());
    m_window.setGeometry(m_monitor);
    m_window.show();
}

void FrameFullScreen::Leave() {
    if (!m_on) {
        return;
    }
    m_on = false;
    m_window.setWindowFlag(Qt::FramelessWindowHint, false);
    m_window.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    m_window.setGeometry(m_remembered);
    if (m_wasMaximized) {
        m_window.showMaximized();
    } else {
        m_window.show();
    }
}

}  // namespace tavi::frame
