#pragma once

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusSignature>
#include <QDBusVariant>
#include <QMetaType>

namespace tavi::platform {

// Qt D-Bus (6.4) registers its own types lazily, on whichever thread first needs one; the bus
// thread demarshalling a reply while the main thread asks for the same type can meet a
// half-registered id and warn "Trying to construct an instance of an invalid type"
// (QTBUG-108822). Every program calls this on its main thread before its first connection.
inline void RegisterBusTypes() {
    qRegisterMetaType<QDBusObjectPath>();
    qRegisterMetaType<QDBusVariant>();
    qRegisterMetaType<QDBusSignature>();
    qRegisterMetaType<QDBusArgument>();
    qRegisterMetaType<QDBusMessage>();
}

}  // namespace tavi::platform
