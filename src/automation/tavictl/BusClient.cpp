#include "BusClient.h"

#include "automation/dbus/AutomationBus.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCall>

#include <deque>
#include <optional>

namespace tavi::automation {

namespace {

constexpr ushort kMethod = 1;
constexpr ushort kPropertyGet = 2;
constexpr ushort kPropertyPut = 4;

QDBusMessage Checked(const QDBusMessage& reply) {
    if (reply.type() == QDBusMessage::ErrorMessage) {
        throw ClientError(reply.errorMessage());
    }
    if (reply.arguments().isEmpty()) {
        throw ClientError(QStringLiteral("The player sent no answer"));
    }
    return reply;
}

}  // namespace

BusClient::BusClient(QDBusConnection bus) : m_bus(std::move(bus)) {
    if (!m_bus.isConnected()) {
        throw ClientError(QStringLiteral("No session bus"));
    }
    // The first call starts the player when it does not run (bus activation).
    const QDBusMessage call = QDBusMessage::createMethodCall(
        AutomationBus::kService, AutomationBus::kRoot, AutomationBus::kRootInterface,
        QStringLiteral("CreateApplication"));
    const QDBusMessage reply = Checked(m_bus.call(call, QDBus::Block, 30000));
    m_application = reply.arguments().front().value<QDBusObjectPath>().path();
}

BusClient::~BusClient() {
    QDBusMessage release =
        QDBusMessage::createMethodCall(AutomationBus::kService, AutomationBus::kRoot,
                                       AutomationBus::kRootInterface, QStringLiteral("Release"));
    release << QVariant::fromValue(QDBusObjectPath(m_application));
    m_bus.call(release);
}

int BusClient::Bind(const QString& path, const QString& member) {
    const auto known = m_bound.constFind({path, member});
    if (known != m_bound.constEnd()) {
        return *known;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(AutomationBus::kService, path,
                                                       AutomationBus::kDispatchInterface,
                                                       QStringLiteral("GetIDsOfNames"));
    call << QStringList{member};
    const QList<int> ids = qdbus_cast<QList<int>>(Checked(m_bus.call(call)).arguments().front());
    if (ids.isEmpty()) {
        throw ClientError(QStringLiteral("Unknown name: %1").arg(member));
    }
    m_bound.insert({path, member}, ids.front());
    return ids.front();
}

QDBusMessage BusClient::InvokeMessage(const QString& path, int id, ushort flags,
                                      const QVariantList& arguments) {
    QDBusMessage call = QDBusMessage::createMethodCall(
        AutomationBus::kService, path, AutomationBus::kDispatchInterface, QStringLiteral("Invoke"));
    QVariantList wrapped;
    for (const QVariant& argument : arguments) {
        wrapped.append(QVariant::fromValue(QDBusVariant(argument)));
    }
    call << id << QVariant::fromValue(flags) << QVariant::fromValue(wrapped);
    return call;
}

QVariant BusClient::Invoke(const QString& path, int id, ushort flags,
                           const QVariantList& arguments) {
    const QDBusMessage reply = Checked(m_bus.call(InvokeMessage(path, id, flags, arguments)));
    return reply.arguments().front().value<QDBusVariant>().variant();
}

QVariantList BusClient::CallEach(const QString& path, const QString& member,
                                 const QList<QVariantList>& argumentLists) {
    const int id = Bind(path, member);
    QVariantList results;
    std::optional<ClientError> failure;
    std::deque<QDBusPendingCall> inFlight;
    auto answerOldest = [&] {
        QDBusPendingCall call = inFlight.front();
        inFlight.pop_front();
        call.waitForFinished();
        try {
            const QDBusMessage reply = Checked(call.reply());
            results.append(reply.arguments().front().value<QDBusVariant>().variant());
        } catch (const ClientError& error) {
            if (!failure) {
                failure = error;
            }
        }
    };
    for (const QVariantList& arguments : argumentLists) {
        inFlight.push_back(
            m_bus.asyncCall(InvokeMessage(path, id, kMethod | kPropertyGet, arguments)));
        if (int(inFlight.size()) >= kCallsInFlight) {
            answerOldest();
        }
    }
    while (!inFlight.empty()) {
        answerOldest();
    }
    if (failure) {
        throw *failure;
    }
    return results;
}

QVariant BusClient::Call(const QString& path, const QString& member,
                         const QVariantList& arguments) {
    return Invoke(path, Bind(path, member), kMethod | kPropertyGet, arguments);
}

void BusClient::Put(const QString& path, const QString& member, const QVariant& value) {
    Invoke(path, Bind(path, member), kPropertyPut, {value});
}

QString BusClient::Object(const QString& name) {
    if (name.compare(QLatin1String("Application"), Qt::CaseInsensitive) == 0) {
        return m_application;
    }
    const QVariant object = Call(m_application, name);
    if (object.metaType() != QMetaType::fromType<QDBusObjectPath>()) {
        throw ClientError(QStringLiteral("%1 is not an object").arg(name));
    }
    return object.value<QDBusObjectPath>().path();
}

QVariant ArgumentOf(const QString& word) {
    bool isInteger = false;
    const int integer = word.toInt(&isInteger);
    if (isInteger) {
        return integer;
    }
    bool isNumber = false;
    const double number = word.toDouble(&isNumber);
    if (isNumber) {
        return number;
    }
    return word;
}

QString TextOf(const QVariant& value) {
    if (value.metaType() == QMetaType::fromType<QDBusObjectPath>()) {
        return value.value<QDBusObjectPath>().path();
    }
    if (value.metaType() == QMetaType::fromType<QDBusArgument>()) {
        return QString();  // the empty value
    }
    if (value.metaType() == QMetaType::fromType<bool>()) {
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    }
    return value.toString();
}

}  // namespace tavi::automation
