#include "DispatchClient.h"

#include "platform/dbus/BusTypes.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>

namespace tavi::shellext {

namespace {

// The player's bus names (the same the player publishes; the extension links nothing of it).
const QString kService = QStringLiteral("org.kestrova.Tavi");
const QString kRoot = QStringLiteral("/org/kestrova/Tavi");
const QString kRootInterface = QStringLiteral("org.kestrova.Tavi");
const QString kDispatchInterface = QStringLiteral("org.kestrova.Tavi.Dispatch");
const QString kNullObject = QStringLiteral("/");

constexpr ushort kMethod = 1;
constexpr ushort kPropertyGet = 2;
constexpr ushort kPropertyPut = 4;

QDBusMessage Checked(const QDBusMessage& reply) {
    if (reply.type() == QDBusMessage::ErrorMessage) {
        throw HandOffError::FromReply(reply);
    }
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        throw HandOffError{hresult::kFail, QString()};
    }
    return reply;
}

bool IsObject(const QVariant& value) {
    return value.metaType() == QMetaType::fromType<QDBusObjectPath>();
}

}  // namespace

DispatchClient::DispatchClient(QDBusConnection bus) : m_bus(std::move(bus)) {
    platform::RegisterBusTypes();  // the file manager's process has no main of ours
    if (!m_bus.isConnected()) {
        throw HandOffError{hresult::kFail, m_bus.lastError().message()};
    }
    const QDBusMessage create = QDBusMessage::createMethodCall(kService, kRoot, kRootInterface,
                                                               QStringLiteral("CreateApplication"));
    const QDBusMessage reply = Checked(m_bus.call(create, QDBus::Block, kStartTimeoutMs));
    const QVariant application = reply.arguments().front();
    if (!IsObject(application)) {
        throw HandOffError{hresult::kFail, QString()};
    }
    m_application = application.value<QDBusObjectPath>().path();
}

DispatchClient::~DispatchClient() {
    for (const QString& object : m_objects) {
        m_bus.call(QDBusMessage::createMethodCall(kService, object, kDispatchInterface,
                                                  QStringLiteral("Release")));
    }
    QDBusMessage release =
        QDBusMessage::createMethodCall(kService, kRoot, kRootInterface, QStringLiteral("Release"));
    release << QVariant::fromValue(QDBusObjectPath(m_application));
    m_bus.call(release);
}

QVariant DispatchClient::Invoke(const QString& object, int dispid, ushort flags,
                                const QVariantList& arguments, int timeoutMs) {
    QDBusMessage call = QDBusMessage::createMethodCall(kService, object, kDispatchInterface,
                                                       QStringLiteral("Invoke"));
    QVariantList wrapped;
    for (const QVariant& argument : arguments) {
        wrapped.append(QVariant::fromValue(QDBusVariant(argument)));
    }
    call << dispid << QVariant::fromValue(flags) << QVariant::fromValue(wrapped);
    const QVariant result = Checked(m_bus.call(call, QDBus::Block, timeoutMs))
                                .arguments()
                                .front()
                                .value<QDBusVariant>()
                                .variant();
    Keep(result);
    return result;
}

void DispatchClient::Keep(const QVariant& result) {
    if (IsObject(result)) {
        const QString path = result.value<QDBusObjectPath>().path();
        if (path != kNullObject && path != m_application && !m_objects.contains(path)) {
            m_objects.append(path);
        }
    }
}

QVariant DispatchClient::Get(const QString& object, int dispid) {
    return Invoke(object, dispid, kPropertyGet, {});
}

QString DispatchClient::GetObject(const QString& object, int dispid) {
    const QVariant value = Get(object, dispid);
    const QString path = IsObject(value) ? value.value<QDBusObjectPath>().path() : QString();
    if (path.isEmpty() || path == kNullObject) {
        throw HandOffError{hresult::kPointer, QString()};
    }
    return path;
}

void DispatchClient::Put(const QString& object, int dispid, const QVariant& value) {
    Invoke(object, dispid, kPropertyPut, {value});
}

QVariant DispatchClient::Call(const QString& object, int dispid, const QVariantList& arguments,
                              int timeoutMs) {
    return Invoke(object, dispid, kMethod, arguments, timeoutMs);
}

}  // namespace tavi::shellext
