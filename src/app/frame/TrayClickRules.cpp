#include "TrayClickRules.h"

#include <QGuiApplication>
#include <QStyleHints>

namespace tavi::frame {

TrayClickRules::TrayClickRules(QObject* parent) : QObject(parent) {
    m_timer.setSingleShot(true);
    m_timer.setInterval(QGuiApplication::styleHints()->mouseDoubleClickInterval());
    connect(&m_timer, &QTimer::timeout, this, &TrayClickRules::singleClick);
}

void TrayClickRules::OnLeftClick() {
    if (m_timer.isActive()) {
        OnDoubleClick();
        return;
    }
    m_timer.start();
}

void TrayClickRules::OnDoubleClick() {
    m_timer.stop();
    Q_EMIT doubleClick();
}

}  // namespace tavi::frame
