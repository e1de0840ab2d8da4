#pragma once

#include "automation/dispatch/DispatchObject.h"

#include <QJSValue>
#include <QObject>

#include <optional>

class QJSEngine;

namespace tavi::automation::script {

// One automation object as a script sees it; owned by the script's garbage collector, so
// an object the script no longer reaches is released.
class JsObjectHandle : public QObject {
    Q_OBJECT
public:
    explicit JsObjectHandle(std::shared_ptr<DispatchObject> object) : m_object(std::move(object)) {}
    const std::shared_ptr<DispatchObject>& object() const { return m_object; }

private:
    std::shared_ptr<DispatchObject> m_object;
};

// The calls a script's object proxies make: names bound to identifiers, properties read and
// assigned, methods called; values converted both ways, automation errors thrown into the
// script as errors with the automation's source and code.
class JsObjectBridge : public QObject {
    Q_OBJECT
public:
    explicit JsObjectBridge(QJSEngine& engine);

    // The proxy a script uses for the object; null for a null object.
    QJSValue Wrap(std::shared_ptr<DispatchObject> object);
    QJSValue ToScript(const Variant& value);
    Variant FromScript(const QJSValue& value);
    // The automation error behind a script error, when one was thrown through here.
    std::optional<DispatchException> TakeHostError() { return std::exchange(m_hostError, {}); }

    // Identifier * 2, + 1 when the member is called rather than read.
    Q_INVOKABLE int describe(QObject* handle, const QString& name);
    Q_INVOKABLE QJSValue get(QObject* handle, int id);
    Q_INVOKABLE QJSValue call(QObject* handle, int id, const QJSValue& arguments);
    Q_INVOKABLE void put(QObject* handle, int id, const QJSValue& value);

private:
    static DispatchObject* ObjectOf(QObject* handle);
    QJSValue Invoke(QObject* handle, int id, uint16_t flags, std::vector<Variant> arguments);
    void Throw(const DispatchException& error);

    QJSEngine& m_engine;
    QJSValue m_wrap;  // the script function that makes a proxy for a handle
    std::optional<DispatchException> m_hostError;
};

}  // namespace tavi::automation::script
