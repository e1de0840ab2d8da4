#pragma once

#include <QDBusConnection>
#include <QDBusVariant>
#include <QHash>
#include <QPair>
#include <QStringList>
#include <QVariantList>

#include <stdexcept>

namespace tavi::automation {

// A failed call: the description the player (or the bus) gave.
class ClientError : public std::runtime_error {
public:
    explicit ClientError(const QString& description)
        : std::runtime_error(description.toStdString()), m_description(description) {}
    const QString& description() const { return m_description; }

private:
    QString m_description;
};

// A late-bound client of the player's objects on the session bus: binds members by name
// through GetIDsOfNames and calls Invoke, as any automation client does. Its own
// Application object is released when the client goes.
class BusClient {
public:
    explicit BusClient(QDBusConnection bus);
    ~BusClient();

    QString application() const { return m_application; }
    // A member of the object at path: a method call or property read, or a property put.
    QVariant Call(const QString& path, const QString& member, const QVariantList& arguments = {});
    void Put(const QString& path, const QString& member, const QVariant& value);
    // The method member once for each argument list, in order, with up to kCallsInFlight calls
    // on the bus at a time: a long run pays the bus's round trip once a window, not once a
    // call. Results come back in the same order; the first failure is thrown once every call
    // sent has been answered.
    static constexpr int kCallsInFlight = 32;
    QVariantList CallEach(const QString& path, const QString& member,
                          const QList<QVariantList>& argumentLists);
    // The object a member of the Application object answers (Player, Playlist, Console...).
    QString Object(const QString& name);
    // The Invoke call of a dispatch identifier, as sent on the bus.
    static QDBusMessage InvokeMessage(const QString& path, int id, ushort flags,
                                      const QVariantList& arguments);

private:
    int Bind(const QString& path, const QString& member);
    QVariant Invoke(const QString& path, int id, ushort flags, const QVariantList& arguments);

    QDBusConnection m_bus;
    QString m_application;
    // Identifiers already bound, by object path and member name: a name is looked up once.
    QHash<QPair<QString, QString>, int> m_bound;
};

// A command-line word as a call argument: whole numbers as integers, other numbers as
// doubles, everything else as the text itself.
QVariant ArgumentOf(const QString& word);
// A result as tavictl prints it.
QString TextOf(const QVariant& value);

}  // namespace tavi::automation
