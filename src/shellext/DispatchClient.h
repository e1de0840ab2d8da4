#pragma once

#include "HandOffError.h"

#include <QDBusConnection>
#include <QStringList>
#include <QVariantList>

namespace tavi::shellext {

// The player's objects reached only by dispatch identifier: the Application object is
// created through the bus (whose activation starts the player when it does not run), and
// every member is called through the generic Invoke, never bound by name. Every failure is
// thrown as a HandOffError. Objects handed out are released when the client goes.
class DispatchClient {
public:
    // Waits up to kStartTimeoutMs for a player that the bus has to start.
    static constexpr int kStartTimeoutMs = 30000;
    // A member that may wait for the user (a new playlist first offers to save the old one).
    static constexpr int kUserTimeoutMs = 3600 * 1000;

    explicit DispatchClient(QDBusConnection bus);
    ~DispatchClient();
    DispatchClient(const DispatchClient&) = delete;
    DispatchClient& operator=(const DispatchClient&) = delete;

    const QString& application() const { return m_application; }

    QVariant Get(const QString& object, int dispid);
    // A property whose value is an object: its path; a null object is a failure.
    QString GetObject(const QString& object, int dispid);
    void Put(const QString& object, int dispid, const QVariant& value);
    // timeoutMs -1: the bus's default.
    QVariant Call(const QString& object, int dispid, const QVariantList& arguments = {},
                  int timeoutMs = -1);

private:
    QVariant Invoke(const QString& object, int dispid, ushort flags, const QVariantList& arguments,
                    int timeoutMs = -1);
    void Keep(const QVariant& result);

    QDBusConnection m_bus;
    QString m_application;
    QStringList m_objects;  // handed out to this client, released at the end
};

}  // namespace tavi::shellext
