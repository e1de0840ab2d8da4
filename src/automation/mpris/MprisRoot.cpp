#include "MprisRoot.h"

#include "automation/objects/AutomationHost.h"

#include <QMainWindow>

namespace tavi::automation {

MprisRoot::MprisRoot(AutomationHost& host, QObject* parent)
    : QDBusAbstractAdaptor(parent), m_host(host) {}

void MprisRoot::Raise() {
    if (QMainWindow* window = m_host.MainWindow()) {
        window->show();
        window->raise();
        window->activateWindow();
    }
}

void MprisRoot::Quit() {
    // The normal close path, which may ask to save the playlist.
    if (QMainWindow* window = m_host.MainWindow()) {
        QMetaObject::invokeMethod(window, &QWidget::close, Qt::QueuedConnection);
    }
}

}  // namespace tavi::automation
