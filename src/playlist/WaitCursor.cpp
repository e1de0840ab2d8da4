#include "WaitCursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace tavi::playlist {

WaitCursor::WaitCursor() {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        m_shown = true;
    }
}

WaitCursor::~WaitCursor() {
    if (m_shown) {
        QGuiApplication::restoreOverrideCursor();
    }
}

}  // namespace tavi::playlist
