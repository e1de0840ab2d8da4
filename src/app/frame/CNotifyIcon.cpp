#include "CNotifyIcon.h"

#include "TrayTooltip.h"

namespace tavi::frame {

CNotifyIcon::CNotifyIcon(QObject* parent) : QObject(parent) {
    connect(&m_tray, &QSystemTrayIcon::activated, this, &CNotifyIcon::OnActivated);
}

CNotifyIcon::~CNotifyIcon() {
    m_tray.hide();
}

bool CNotifyIcon::Add(const QIcon& icon, const QString& tooltip) {
    m_tray.setIcon(icon);
    SetTooltip(tooltip);
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        return false;
    }
    m_tray.show();
    return true;
}

void CNotifyIcon::SetIcon(const QIcon& icon) {
    m_tray.setIcon(icon);
}

void CNotifyIcon::SetTooltip(const QString& text) {
    m_tray.setToolTip(CutTrayTooltip(text));
}

void CNotifyIcon::OnActivated(QSystemTrayIcon::ActivationReason reason) {
    switch (reason) {
        case QSystemTrayIcon::Trigger:
            Q_EMIT leftClicked();
            break;
        case QSystemTrayIcon::DoubleClick:
            Q_EMIT doubleClicked();
            break;
        case QSystemTrayIcon::Context:
            Q_EMIT rightClicked();
            break;
        default:
            break;
    }
}

}  // namespace tavi::frame
