#pragma once

#include "ObjectTable.h"

#include <QDBusConnection>
#include <QDBusVirtualObject>

#include <functional>
#include <memory>
#include <vector>

class QDBusServiceWatcher;

namespace tavi::automation {

class AutomationModel;
class CCmdTargetPlus;
class DispatchException;
class DispatchObject;

// The object model on the session bus. Every dispatch object handed out is a bus object
// below kRoot with the generic interface kDispatchInterface (GetIDsOfNames(as) -> ai,
// Invoke(i dispid, q flags, av args) -> v, Release()), its members as plain named methods
// and as properties, and its events as signals. The root object makes a new Application
// for each client (CreateApplication), releases objects (Release(o)) and opens files for a
// second start (OpenFile). A client's objects go when it releases them or leaves the bus.
// Calls are handled on the thread the object lives in (the UI thread).
class AutomationBus : public QDBusVirtualObject {
    Q_OBJECT
public:
    static inline const QString kService = QStringLiteral("org.kestrova.Tavi");
    static inline const QString kRoot = QStringLiteral("/org/kestrova/Tavi");
    static inline const QString kRootInterface = QStringLiteral("org.kestrova.Tavi");
    static inline const QString kDispatchInterface = QStringLiteral("org.kestrova.Tavi.Dispatch");
    static inline const QString kObjectInterface = QStringLiteral("org.kestrova.Tavi.Object");
    static inline const QString kEventInterface = QStringLiteral("org.kestrova.Tavi.Events");
    static inline const QString kErrorPrefix = QStringLiteral("org.kestrova.Tavi.Error.");

    using OpenFile = std::function<bool(const QString& path)>;

    AutomationBus(AutomationModel& model, QDBusConnection connection, OpenFile openFile,
                  QObject* parent = nullptr);
    ~AutomationBus() override;

    // Registers the objects and asks for the service name; false when either failed (the
    // name may be taken by another running player).
    bool Register();
    const ObjectTable& objects() const { return m_objects; }

    QString introspect(const QString& path) const override;
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

    // The D-Bus error name of a failed dispatch call; the message is its description.
    static QString ErrorName(const DispatchException& error);
    // The introspection of an object's members under kObjectInterface.
    static QString NamedMembers(const DispatchObject& object);
    // A whole introspection document: the standard interfaces a path answers, the given
    // ones, and a <node> per child name, in one <node> root.
    static QString IntrospectionDocument(const QString& interfaces, bool properties,
                                         const QStringList& children);

private:
    class EventForwarder;

    void Handle(const QDBusMessage& message);
    QDBusMessage HandleRoot(const QDBusMessage& message);
    QDBusMessage HandleIntrospect(const QDBusMessage& message) const;
    QDBusMessage HandleObject(const QDBusMessage& message,
                              const std::shared_ptr<DispatchObject>& object);
    QDBusMessage HandleProperties(const QDBusMessage& message, DispatchObject& object);
    QString Publish(const std::shared_ptr<DispatchObject>& object, const QString& owner);
    void Forward(CCmdTargetPlus& source, const QString& path, const QString& eventInterface);
    void WatchClient(const QString& client);
    void ReleaseClient(const QString& client);

    static constexpr int kTrimAfter = 1000;

    AutomationModel& m_model;
    QDBusConnection m_connection;
    OpenFile m_openFile;
    ObjectTable m_objects;
    QDBusServiceWatcher* m_watcher;
    std::vector<std::pair<std::shared_ptr<CCmdTargetPlus>, uint32_t>> m_forwarders;
};

}  // namespace tavi::automation
