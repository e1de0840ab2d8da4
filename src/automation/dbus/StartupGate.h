#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QList>
#include <QMutex>

#include <memory>

namespace tavi::automation {

class AutomationBus;

// Claims the player's bus name at the very start, before the window and the file named on
// the command line, and holds every call that arrives meanwhile until the object model is
// ready (Attach). So a client's query during start-up is neither answered by a half-made
// player nor able to start a second player through bus activation, and it cannot change
// what the command line asked for: it is answered once start-up has decided.
class StartupGate : public QDBusVirtualObject {
    Q_OBJECT
public:
    // How a start claims the name. A player started by bus activation yields it while it is
    // still starting to a player started with a file (which takes it over), so a query that
    // happened to activate one cannot leave the user's start without the bus. A started
    // player keeps its name.
    enum class Claimant { Activated, CommandLine };

    // Registers the objects' root and asks for the name; null when there is no session bus
    // or another player owns the name.
    static std::unique_ptr<StartupGate> Claim(QDBusConnection connection, Claimant claimant);
    ~StartupGate() override;

    // From now on calls go to bus, the held ones first, in the order they came, and the name
    // can no longer be taken over. False when the name was taken over meanwhile. UI thread.
    bool Attach(AutomationBus* bus);

    QString introspect(const QString& path) const override;
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

private:
    explicit StartupGate(QDBusConnection connection);

    QDBusConnection m_connection;
    mutable QMutex m_lock;
    // Guarded by m_lock: the bus is set once; calls wait in m_held until then.
    AutomationBus* m_bus = nullptr;
    QList<QDBusMessage> m_held;
};

}  // namespace tavi::automation
