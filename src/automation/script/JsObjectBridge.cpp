#include "JsObjectBridge.h"

#include <QJSEngine>

#include <cmath>

namespace tavi::automation::script {

namespace {

// Every member access of a script goes through the proxy's traps to the bridge. Member
// kinds are asked once per name and object; readable properties are read at each access.
const char* const kProxyMaker = R"JS((function (bridge) {
    return function (handle) {
        const members = Object.create(null);
        function member(name) {
            let known = members[name];
            if (known === undefined) {
                const code = bridge.describe(handle, name);
                known = { id: code >> 1 };
                if (code & 1) {
                    known.fn = function (...args) { return bridge.call(handle, known.id, args); };
                }
                members[name] = known;
            }
            return known;
        }
        return new Proxy({}, {
            get(target, name) {
                if (typeof name !== "string") return undefined;
                if (name === "__taviHandle") return handle;
                const known = member(name);
                return known.fn !== undefined ? known.fn : bridge.get(handle, known.id);
            },
            set(target, name, value) {
                if (typeof name !== "string") return false;
                bridge.put(handle, member(name).id, value);
                return true;
            }
        });
    };
}))JS";

const QString kHandleName = QStringLiteral("__taviHandle");

}  // namespace

JsObjectBridge::JsObjectBridge(QJSEngine& engine) : m_engine(engine) {
    QJSEngine::setObjectOwnership(this, QJSEngine::CppOwnership);
    m_wrap = m_engine.evaluate(QString::fromLatin1(kProxyMaker), QStringLiteral("tavi-objects"))
                 .call({m_engine.newQObject(this)});
}

QJSValue JsObjectBridge::Wrap(std::shared_ptr<DispatchObject> object) {
    if (!object) {
        return QJSValue(QJSValue::NullValue);
    }
    return m_wrap.call({m_engine.newQObject(new JsObjectHandle(std::move(object)))});
}

QJSValue JsObjectBridge::ToScript(const Variant& value) {
    switch (value.GetType()) {
        case Variant::Type::Empty:
            return QJSValue(QJSValue::UndefinedValue);
        case Variant::Type::Null:
            return QJSValue(QJSValue::NullValue);
        case Variant::Type::Bool:
            return QJSValue(value.ToBool());
        case Variant::Type::Int16:
        case Variant::Type::Int32:
            return QJSValue(value.ToInt32());
        case Variant::Type::Double:
            return QJSValue(value.ToDouble());
        case Variant::Type::String:
            return QJSValue(value.ToString());
        case Variant::Type::Dispatch:
        case Variant::Type::Unknown:
            return Wrap(value.ToObject());
    }
    return QJSValue(QJSValue::UndefinedValue);
}

Variant JsObjectBridge::FromScript(const QJSValue& value) {
    if (value.isBool()) {
        return Variant::FromBool(value.toBool());
    }
    if (value.isNumber()) {
        const double number = value.toNumber();
        const bool whole = std::trunc(number) == number && std::abs(number) <= 2147483647.0;
        return whole ? Variant::FromInt32(int32_t(number)) : Variant::FromDouble(number);
    }
    if (value.isString()) {
        return Variant::FromString(value.toString());
    }
    if (value.isNull()) {
        return Variant::MakeNull();
    }
    if (value.isObject() && !value.isCallable()) {
        if (auto* handle = qobject_cast<JsObjectHandle*>(value.property(kHandleName).toQObject())) {
            return Variant::FromDispatch(handle->object());
        }
        return Variant::FromString(value.toString());
    }
    return {};
}

DispatchObject* JsObjectBridge::ObjectOf(QObject* handle) {
    auto* objectHandle = qobject_cast<JsObjectHandle*>(handle);
    return objectHandle ? objectHandle->object().get() : nullptr;
}

void JsObjectBridge::Throw(const DispatchException& error) {
    m_hostError = error;
    QJSValue thrown = m_engine.newErrorObject(QJSValue::GenericError, error.GetDescription());
    thrown.setProperty(QStringLiteral("source"), error.GetSource());
    thrown.setProperty(QStringLiteral("code"), error.GetCode());
    m_engine.throwError(thrown);
}

int JsObjectBridge::describe(QObject* handle, const QString& name) {
    DispatchObject* object = ObjectOf(handle);
    try {
        if (!object) {
            throw DispatchException(hresult::kMemberNotFound, QStringLiteral("Not an object"));
        }
        const DispId id = object->GetIDsOfNames({name}).front();
        const Member* member = object->FindMember(id);
        const bool called =
            !member || member->kind == Member::Kind::Method || !member->parameters.empty();
        return id * 2 + (called ? 1 : 0);
    } catch (const DispatchException& error) {
        Throw(error);
        return 0;
    }
}

QJSValue JsObjectBridge::Invoke(QObject* handle, int id, uint16_t flags,
                                std::vector<Variant> arguments) {
    DispatchObject* object = ObjectOf(handle);
    try {
        if (!object) {
            throw DispatchException(hresult::kMemberNotFound, QStringLiteral("Not an object"));
        }
        // The call may release the last proxy of the object: keep it while it runs.
        const auto keep = object->shared_from_this();
        return ToScript(object->Invoke(id, flags, std::move(arguments)));
    } catch (const DispatchException& error) {
        Throw(error);
        return QJSValue(QJSValue::UndefinedValue);
    }
}

QJSValue JsObjectBridge::get(QObject* handle, int id) {
    return Invoke(handle, id, dispatchflags::kPropertyGet, {});
}

QJSValue JsObjectBridge::call(QObject* handle, int id, const QJSValue& arguments) {
    std::vector<Variant> values;
    const int count = arguments.property(QStringLiteral("length")).toInt();
    values.reserve(size_t(count));
    for (int i = 0; i < count; ++i) {
        values.push_back(FromScript(arguments.property(quint32(i))));
    }
    return Invoke(handle, id, dispatchflags::kMethod | dispatchflags::kPropertyGet,
                  std::move(values));
}

void JsObjectBridge::put(QObject* handle, int id, const QJSValue& value) {
    Invoke(handle, id, dispatchflags::kPropertyPut, {FromScript(value)});
}

}  // namespace tavi::automation::script
