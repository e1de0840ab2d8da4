#pragma once

#include "automation/dbus/AutomationBus.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>

namespace tavi::test {

// Whether a player owns the automation name on the session bus (the black-box tests' own).
inline bool playerOnBus() {
    return QDBusConnection::sessionBus().interface()->isServiceRegistered(
        automation::AutomationBus::kService);
}

}  // namespace tavi::test
