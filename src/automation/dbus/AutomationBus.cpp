#include "AutomationBus.h"

#include "ArgumentCodec.h"
#include "automation/dispatch/DispatchException.h"
#include "automation/dispatch/TypeLibrary.h"
#include "automation/objects/AutomationHost.h"
#include "automation/objects/AutomationModel.h"
#include "automation/objects/CApplication.h"
#include "automation/objects/CConsoleDispatch.h"
#include "automation/objects/CMacrosCollection.h"
#include "automation/objects/CPlayerDispatch.h"
#include "platform/errors/CException.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMetaType>
#include <QDBusServiceWatcher>
#include <QThread>

#include <malloc.h>

namespace tavi::automation {

namespace {

const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");
const QString kIntrospectable = QStringLiteral("org.freedesktop.DBus.Introspectable");

QVariantList ArgumentList(const QVariant& value) {
    if (value.metaType() == QMetaType::fromType<QDBusArgument>()) {
        return qdbus_cast<QVariantList>(value.value<QDBusArgument>());
    }
    return value.toList();
}

QDBusMessage BadCall(const QDBusMessage& message, const QString& text) {
    return message.createErrorReply(QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs"), text);
}

}  // namespace

// A sink on one of the main window's objects that turns its events into bus signals.
class AutomationBus::EventForwarder : public DispatchObject {
public:
    EventForwarder(QDBusConnection connection, QString path, const QString& eventInterface)
        : m_connection(std::move(connection)), m_path(std::move(path)) {
        const TypeLibrary::Interface* events = TypeLibrary::Tavi().FindInterface(eventInterface);
        for (const auto& [name, id] : events ? events->members : decltype(events->members){}) {
            AddMethod(name, id, {}, Variant::Type::Empty,
                      [this, name = name, id = id](const auto&) {
                          Emit(name, id);
                          return Variant();
                      });
        }
    }
    QString TypeName() const override { return QStringLiteral("EventForwarder"); }

private:
    void Emit(const QString& name, DispId id) {
        QDBusMessage named = QDBusMessage::createSignal(m_path, kEventInterface, name);
        m_connection.send(named);
        QDBusMessage generic =
            QDBusMessage::createSignal(m_path, kEventInterface, QStringLiteral("Event"));
        generic << id;
        m_connection.send(generic);
    }
    QDBusConnection m_connection;
    QString m_path;
};

AutomationBus::AutomationBus(AutomationModel& model, QDBusConnection connection, OpenFile openFile,
                             QObject* parent)
    : QDBusVirtualObject(parent),
      m_model(model),
      m_connection(std::move(connection)),
      m_openFile(std::move(openFile)),
      m_objects(kRoot),
      m_watcher(new QDBusServiceWatcher(this)) {
    m_watcher->setConnection(m_connection);
    m_watcher->setWatchMode(QDBusServiceWatcher::WatchForUnregistration);
    connect(m_watcher, &QDBusServiceWatcher::serviceUnregistered, this,
            [this](const QString& client) { ReleaseClient(client); });
    Forward(*model.MainApplication(), Publish(model.MainApplication(), {}),
            QStringLiteral("IApplicationEvents"));
    Forward(*model.Player(), Publish(model.Player(), {}), QStringLiteral("IPlayerEvents"));
    Publish(model.Console(), {});
    Publish(model.Macros(), {});
}

AutomationBus::~AutomationBus() {
    for (auto& [source, cookie] : m_forwarders) {
        source->Disconnect(cookie);
    }
    m_connection.unregisterObject(kRoot, QDBusConnection::UnregisterTree);
}

bool AutomationBus::Register() {
    return m_connection.registerVirtualObject(kRoot, this, QDBusConnection::SubPath) &&
           m_connection.registerService(kService);
}

void AutomationBus::Forward(CCmdTargetPlus& source, const QString& path,
                            const QString& eventInterface) {
    auto forwarder = std::make_shared<EventForwarder>(m_connection, path, eventInterface);
    const uint32_t cookie = source.Connect(forwarder);
    m_forwarders.emplace_back(std::static_pointer_cast<CCmdTargetPlus>(source.shared_from_this()),
                              cookie);
}

QString AutomationBus::Publish(const std::shared_ptr<DispatchObject>& object,
                               const QString& owner) {
    // The main window's own objects are shared by every client and stay.
    const bool shared = object == m_model.MainApplication() || object == m_model.Player() ||
                        object == m_model.Console() || object == m_model.Macros() ||
                        object == m_model.DocumentObject(m_model.host().ActiveDocument());
    const QString path = m_objects.Publish(object, shared ? QString() : owner);
    if (!shared && !owner.isEmpty()) {
        WatchClient(owner);
    }
    return path;
}

void AutomationBus::WatchClient(const QString& client) {
    if (!m_watcher->watchedServices().contains(client)) {
        m_watcher->addWatchedService(client);
        // The client may have left before the watch began.
        if (!m_connection.interface()->isServiceRegistered(client)) {
            ReleaseClient(client);
        }
    }
}

void AutomationBus::ReleaseClient(const QString& client) {
    m_watcher->removeWatchedService(client);
    // A client that held many objects leaves many small blocks free: hand them back to the
    // system, or the player would keep the client's peak size for good.
    if (m_objects.ReleaseOwner(client) >= kTrimAfter) {
        malloc_trim(0);
    }
}

QString AutomationBus::ErrorName(const DispatchException& error) {
    QString kind;
    switch (error.GetResult()) {
        case hresult::kUnknownName:
            kind = QStringLiteral("UnknownName");
            break;
        case hresult::kMemberNotFound:
            kind = QStringLiteral("MemberNotFound");
            break;
        case hresult::kTypeMismatch:
            kind = QStringLiteral("TypeMismatch");
            break;
        case hresult::kBadParamCount:
            kind = QStringLiteral("BadParamCount");
            break;
        case hresult::kParamNotFound:
            kind = QStringLiteral("ParamNotFound");
            break;
        case hresult::kOverflow:
            kind = QStringLiteral("Overflow");
            break;
        default:
            kind = QStringLiteral("Exception");
            break;
    }
    if (error.GetCode() > 0) {
        kind += QStringLiteral(".Code%1").arg(error.GetCode());
    }
    return kErrorPrefix + kind;
}

bool AutomationBus::handleMessage(const QDBusMessage& message, const QDBusConnection&) {
    if (message.type() != QDBusMessage::MethodCallMessage) {
        return false;
    }
    message.setDelayedReply(true);
    if (QThread::currentThread() == thread()) {
        Handle(message);
    } else {
        QMetaObject::invokeMethod(
            this, [this, message] { Handle(message); }, Qt::QueuedConnection);
    }
    return true;
}

void AutomationBus::Handle(const QDBusMessage& message) {
    QDBusMessage reply;
    try {
        if (message.interface() == kIntrospectable ||
            (message.interface().isEmpty() && message.member() == QLatin1String("Introspect"))) {
            reply = HandleIntrospect(message);
        } else if (message.path() == kRoot) {
            reply = HandleRoot(message);
        } else if (auto object = m_objects.Find(message.path())) {
            reply = HandleObject(message, object);
        } else {
            reply = message.createErrorReply(kErrorPrefix + QStringLiteral("UnknownObject"),
                                             QStringLiteral("No object at %1").arg(message.path()));
        }
    } catch (const DispatchException& error) {
        reply = message.createErrorReply(ErrorName(error), error.GetDescription());
    } catch (const errors::CException& error) {
        reply = message.createErrorReply(kErrorPrefix + QStringLiteral("Failed"),
                                         error.GetErrorMessage());
    } catch (const std::exception& error) {
        reply = message.createErrorReply(kErrorPrefix + QStringLiteral("Failed"),
                                         QString::fromLocal8Bit(error.what()));
    }
    if (message.isReplyRequired()) {  // a caller that asked for no answer gets none
        m_connection.send(reply);
    }
}

QDBusMessage AutomationBus::HandleRoot(const QDBusMessage& message) {
    const QString member = message.member();
    const QVariantList args = message.arguments();
    if (member == QLatin1String("CreateApplication") && args.isEmpty()) {
        return message.createReply(QVariant::fromValue(
            QDBusObjectPath(Publish(m_model.CreateApplication(), message.service()))));
    }
    if (member == QLatin1String("Release") && args.size() == 1 &&
        args[0].metaType() == QMetaType::fromType<QDBusObjectPath>()) {
        return message.createReply(m_objects.Release(args[0].value<QDBusObjectPath>().path()));
    }
    if (member == QLatin1String("OpenFile") && args.size() == 1 &&
        args[0].metaType() == QMetaType::fromType<QString>()) {
        return message.createReply(m_openFile && m_openFile(args[0].toString()));
    }
    if (member == QLatin1String("ObjectCount") && args.isEmpty()) {
        return message.createReply(m_objects.Size());
    }
    return BadCall(message, QStringLiteral("Unknown method %1 or wrong arguments").arg(member));
}

QDBusMessage AutomationBus::HandleObject(const QDBusMessage& message,
                                         const std::shared_ptr<DispatchObject>& object) {
    const QString member = message.member();
    const QVariantList args = message.arguments();
    const QString client = message.service();
    auto resolve = [this](const QString& path) { return m_objects.Find(path); };
    auto publish = [this, &client](const std::shared_ptr<DispatchObject>& result) {
        return Publish(result, client);
    };
    if (message.interface() == kProperties) {
        return HandleProperties(message, *object);
    }
    if (member == QLatin1String("GetIDsOfNames") && args.size() == 1 &&
        args[0].metaType() == QMetaType::fromType<QStringList>()) {
        QList<int> ids;
        for (DispId id : object->GetIDsOfNames(args[0].toStringList())) {
            ids.append(id);
        }
        return message.createReply(QVariant::fromValue(ids));
    }
    if (member == QLatin1String("Invoke") && message.interface() == kDispatchInterface) {
        if (args.size() != 3 || args[0].metaType() != QMetaType::fromType<int>() ||
            args[1].metaType() != QMetaType::fromType<ushort>()) {
            return BadCall(message,
                           QStringLiteral("Invoke takes (i dispid, q flags, av arguments)"));
        }
        const auto decoded = ArgumentCodec::Decode(ArgumentList(args[2]), resolve);
        const Variant result = object->Invoke(args[0].toInt(), uint16_t(args[1].toUInt()), decoded);
        return message.createReply(QVariant::fromValue(ArgumentCodec::Encode(result, publish)));
    }
    if (member == QLatin1String("Release") && args.isEmpty()) {
        return message.createReply(m_objects.Release(message.path()));
    }
    // A member called by its own name, as people call it.
    const DispId id = object->GetIDsOfNames({member}).front();
    const Variant result = object->Invoke(id, dispatchflags::kMethod | dispatchflags::kPropertyGet,
                                          ArgumentCodec::Decode(args, resolve));
    return message.createReply(QVariant::fromValue(ArgumentCodec::Encode(result, publish)));
}

QDBusMessage AutomationBus::HandleProperties(const QDBusMessage& message, DispatchObject& object) {
    const QVariantList args = message.arguments();
    const QString client = message.service();
    auto publish = [this, &client](const std::shared_ptr<DispatchObject>& result) {
        return Publish(result, client);
    };
    if (message.member() == QLatin1String("Get") && args.size() == 2) {
        const DispId id = object.GetIDsOfNames({args[1].toString()}).front();
        const Variant value = object.Invoke(id, dispatchflags::kPropertyGet, {});
        return message.createReply(QVariant::fromValue(ArgumentCodec::Encode(value, publish)));
    }
    if (message.member() == QLatin1String("Set") && args.size() == 3) {
        const DispId id = object.GetIDsOfNames({args[1].toString()}).front();
        auto resolve = [this](const QString& path) { return m_objects.Find(path); };
        object.Invoke(id, dispatchflags::kPropertyPut,
                      {ArgumentCodec::DecodeOne(args[2], 0, resolve)});
        return message.createReply();
    }
    if (message.member() == QLatin1String("GetAll") && args.size() == 1) {
        QVariantMap all;
        for (const Member& member : object.Members()) {
            if (member.kind != Member::Kind::Method && member.parameters.empty() &&
                member.result != Variant::Type::Dispatch &&
                member.result != Variant::Type::Unknown) {
                try {
                    all.insert(member.name,
                               QVariant::fromValue(ArgumentCodec::Encode(member.call({}), {})));
                } catch (const DispatchException&) {
                    // A property that cannot be read now is left out.
                }
            }
        }
        return message.createReply(QVariant::fromValue(all));
    }
    return BadCall(message, QStringLiteral("Unknown property call %1").arg(message.member()));
}

// Tools such as gdbus and busctl want a document with a <node> root; the root lists the
// objects below it, so that a tree walk finds them.
QDBusMessage AutomationBus::HandleIntrospect(const QDBusMessage& message) const {
    const QString path = message.path();
    if (path == kRoot) {
        QStringList children;
        for (const QString& child : m_objects.Paths()) {
            children.append(child.mid(kRoot.size() + 1));
        }
        children.sort();
        return message.createReply(IntrospectionDocument(introspect(kRoot), false, children));
    }
    if (!m_objects.Find(path)) {
        return message.createErrorReply(kErrorPrefix + QStringLiteral("UnknownObject"),
                                        QStringLiteral("No object at %1").arg(path));
    }
    return message.createReply(IntrospectionDocument(introspect(path), true, {}));
}

QString AutomationBus::IntrospectionDocument(const QString& interfaces, bool properties,
                                             const QStringList& children) {
    QString xml = QStringLiteral(
        "<!DOCTYPE node PUBLIC \"-//freedesktop//DTD D-BUS Object Introspection 1.0//EN\"\n"
        "\"http://www.freedesktop.org/standards/dbus/1.0/introspect.dtd\">\n"
        "<node>\n"
        "<interface name=\"org.freedesktop.DBus.Introspectable\">"
        "<method name=\"Introspect\"><arg name=\"xml_data\" type=\"s\" direction=\"out\"/>"
        "</method></interface>\n");
    if (properties) {
        xml += QStringLiteral(
            "<interface name=\"org.freedesktop.DBus.Properties\">"
            "<method name=\"Get\"><arg name=\"interface_name\" type=\"s\" direction=\"in\"/>"
            "<arg name=\"property_name\" type=\"s\" direction=\"in\"/>"
            "<arg name=\"value\" type=\"v\" direction=\"out\"/></method>"
            "<method name=\"Set\"><arg name=\"interface_name\" type=\"s\" direction=\"in\"/>"
            "<arg name=\"property_name\" type=\"s\" direction=\"in\"/>"
            "<arg name=\"value\" type=\"v\" direction=\"in\"/></method>"
            "<method name=\"GetAll\"><arg name=\"interface_name\" type=\"s\" direction=\"in\"/>"
            "<arg name=\"values\" type=\"a{sv}\" direction=\"out\"/></method>"
            "</interface>\n");
    }
    xml += interfaces + QLatin1Char('\n');
    for (const QString& child : children) {
        xml += QStringLiteral("<node name=\"%1\"/>\n").arg(child);
    }
    return xml + QStringLiteral("</node>\n");
}

QString AutomationBus::introspect(const QString& path) const {
    if (path == kRoot) {
        return QStringLiteral(
            "<interface name=\"org.kestrova.Tavi\">"
            "<method name=\"CreateApplication\"><arg direction=\"out\" type=\"o\"/></method>"
            "<method name=\"Release\"><arg direction=\"in\" type=\"o\"/><arg direction=\"out\" "
            "type=\"b\"/></method>"
            "<method name=\"OpenFile\"><arg direction=\"in\" type=\"s\"/><arg direction=\"out\" "
            "type=\"b\"/></method>"
            "<method name=\"ObjectCount\"><arg direction=\"out\" type=\"i\"/></method>"
            "</interface>");
    }
    const auto object = m_objects.Find(path);
    return QStringLiteral(
               "<interface name=\"org.kestrova.Tavi.Dispatch\">"
               "<method name=\"GetIDsOfNames\"><arg direction=\"in\" type=\"as\"/><arg "
               "direction=\"out\" "
               "type=\"ai\"/></method>"
               "<method name=\"Invoke\"><arg direction=\"in\" type=\"i\"/><arg direction=\"in\" "
               "type=\"q\"/>"
               "<arg direction=\"in\" type=\"av\"/><arg direction=\"out\" type=\"v\"/></method>"
               "<method name=\"Release\"><arg direction=\"out\" type=\"b\"/></method>"
               "</interface>") +
           (object ? NamedMembers(*object) : QString());
}

QString AutomationBus::NamedMembers(const DispatchObject& object) {
    // The members by name, as people call them: methods with their argument types, and
    // properties that take no argument (objects travel as paths, VARIANT arguments as v).
    auto wireType = [](Variant::Type type) {
        switch (type) {
            case Variant::Type::Bool:
                return QStringLiteral("b");
            case Variant::Type::Int16:
                return QStringLiteral("n");
            case Variant::Type::Int32:
                return QStringLiteral("i");
            case Variant::Type::Double:
                return QStringLiteral("d");
            case Variant::Type::String:
                return QStringLiteral("s");
            case Variant::Type::Dispatch:
            case Variant::Type::Unknown:
                return QStringLiteral("o");
            default:
                return QStringLiteral("v");
        }
    };
    QString xml = QStringLiteral("<interface name=\"%1\">").arg(kObjectInterface);
    for (const Member& member : object.Members()) {
        if (member.name.startsWith(QLatin1Char('_'))) {
            continue;  // _NewEnum is not a bus name
        }
        if (member.kind != Member::Kind::Method && member.parameters.empty()) {
            xml += QStringLiteral("<property name=\"%1\" type=\"%2\" access=\"%3\"/>")
                       .arg(member.name, wireType(member.result),
                            member.put ? QStringLiteral("readwrite") : QStringLiteral("read"));
            continue;
        }
        xml += QStringLiteral("<method name=\"%1\">").arg(member.name);
        for (Variant::Type parameter : member.parameters) {
            xml += QStringLiteral("<arg direction=\"in\" type=\"%1\"/>").arg(wireType(parameter));
        }
        xml += QStringLiteral("<arg direction=\"out\" type=\"v\"/></method>");
    }
    return xml + QStringLiteral("</interface>");
}

}  // namespace tavi::automation
