#include "StartupGate.h"

#include "AutomationBus.h"

#include <QDBusConnectionInterface>
#include <QDBusReply>

namespace tavi::automation {

StartupGate::StartupGate(QDBusConnection connection) : m_connection(std::move(connection)) {}

std::unique_ptr<StartupGate> StartupGate::Claim(QDBusConnection connection, Claimant claimant) {
    if (!connection.isConnected()) {
        return nullptr;
    }
    std::unique_ptr<StartupGate> gate(new StartupGate(connection));
    // The objects first: a call that arrives the moment the name is ours finds them.
    if (!connection.registerVirtualObject(AutomationBus::kRoot, gate.get(),
                                          QDBusConnection::SubPath)) {
        return nullptr;
    }
    const bool activated = claimant == Claimant::Activated;
    const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> reply =
        connection.interface()->registerService(
            AutomationBus::kService,
            activated ? QDBusConnectionInterface::DontQueueService
                      : QDBusConnectionInterface::ReplaceExistingService,
            activated ? QDBusConnectionInterface::AllowReplacement
                      : QDBusConnectionInterface::DontAllowReplacement);
    if (!reply.isValid() || reply.value() != QDBusConnectionInterface::ServiceRegistered) {
        connection.unregisterObject(AutomationBus::kRoot, QDBusConnection::UnregisterTree);
        return nullptr;
    }
    return gate;
}

StartupGate::~StartupGate() {
    m_connection.unregisterObject(AutomationBus::kRoot, QDBusConnection::UnregisterTree);
}

bool StartupGate::Attach(AutomationBus* bus) {
    // Asking again as the owner updates the flags: from now on nobody takes the name over.
    const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> reply =
        m_connection.interface()->registerService(AutomationBus::kService,
                                                  QDBusConnectionInterface::DontQueueService,
                                                  QDBusConnectionInterface::DontAllowReplacement);
    const bool ours =
        reply.isValid() && reply.value() == QDBusConnectionInterface::ServiceRegistered;
    QList<QDBusMessage> held;
    {
        QMutexLocker locker(&m_lock);
        m_bus = bus;
        held.swap(m_held);
    }
    for (const QDBusMessage& message : held) {
        bus->handleMessage(message, m_connection);
    }
    return ours;
}

QString StartupGate::introspect(const QString& path) const {
    QMutexLocker locker(&m_lock);
    return m_bus ? m_bus->introspect(path) : QString();
}

bool StartupGate::handleMessage(const QDBusMessage& message, const QDBusConnection& connection) {
    AutomationBus* bus = nullptr;
    {
        QMutexLocker locker(&m_lock);
        bus = m_bus;
        if (!bus) {
            if (message.type() != QDBusMessage::MethodCallMessage) {
                return false;
            }
            message.setDelayedReply(true);
            m_held.append(message);
            return true;
        }
    }
    return bus->handleMessage(message, connection);
}

}  // namespace tavi::automation
