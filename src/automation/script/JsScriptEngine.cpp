#include "JsScriptEngine.h"

#include "JsObjectBridge.h"

#include <QJSEngine>
#include <QJSValueIterator>
#include <QRegularExpression>

namespace tavi::automation::script {

namespace {
// The name the script's code runs under, to tell its lines in an error's stack.
const QString kScriptFile = QStringLiteral("tavi-script");

// The line of the script's innermost frame in a stack ("name@file:tavi-script:LINE").
int ScriptLineOf(const QString& stack) {
    static const QRegularExpression frame(QStringLiteral("tavi-script:(\\d+)$"),
                                          QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = frame.match(stack);
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}
}  // namespace

JsScriptEngine::JsScriptEngine() = default;

JsScriptEngine::~JsScriptEngine() {
    Close();
}

void JsScriptEngine::CreateRuntime() {
    m_js = std::make_unique<QJSEngine>();
    m_bridge = new JsObjectBridge(*m_js);
    m_bridge->setParent(m_js.get());
    m_builtIns.clear();
    for (QJSValueIterator it(m_js->globalObject()); it.hasNext();) {
        it.next();
        m_builtIns.insert(it.name());
    }
}

void JsScriptEngine::DestroyRuntime() {
    m_bridge = nullptr;
    m_js.reset();
}

void JsScriptEngine::Expose(const QString& name, std::shared_ptr<DispatchObject> object) {
    m_builtIns.insert(name);
    m_js->globalObject().setProperty(name, m_bridge->Wrap(std::move(object)));
}

bool JsScriptEngine::Evaluate(const QString& code, ScriptError* error) {
    m_code = code;
    QStringList stack;
    const QJSValue result = m_js->evaluate(code, kScriptFile, 1, &stack);
    return !Failed(result, !stack.isEmpty(), code, error);
}

// The engine compiles only what it runs: the text inside a block that is never entered is
// compiled and not run, on the same lines.
bool JsScriptEngine::CheckSyntax(const QString& code, ScriptError* error) {
    QStringList stack;
    const QString unreached = QStringLiteral("if (false) {") + code + QStringLiteral("\n}");
    const QJSValue result = m_js->evaluate(unreached, kScriptFile, 1, &stack);
    return !Failed(result, !stack.isEmpty(), code, error);
}

bool JsScriptEngine::HasGlobalFunction(const QString& name) {
    return m_js->globalObject().property(name).isCallable();
}

bool JsScriptEngine::CallGlobal(const QString& name, const std::vector<Variant>& arguments,
                                Variant* result, ScriptError* error) {
    QJSValue function = m_js->globalObject().property(name);
    if (!function.isCallable()) {
        error->description = QStringLiteral("%1 is not a function of the script").arg(name);
        return false;
    }
    QJSValueList values;
    for (const Variant& argument : arguments) {
        values.append(m_bridge->ToScript(argument));
    }
    const QJSValue value = function.call(values);
    if (Failed(value, false, m_code, error)) {
        return false;
    }
    if (result) {
        *result = m_bridge->FromScript(value);
    }
    return true;
}

// An error the script raised, or one an automation call raised and the script did not
// catch: its text, position and, for automation errors, their source and code.
bool JsScriptEngine::Failed(const QJSValue& value, bool threw, const QString& code,
                            ScriptError* error) {
    const auto hostError = m_bridge->TakeHostError();
    if (!value.isError() && !threw) {
        return false;
    }
    error->description = value.toString();
    // An error made by an object's call is created inside the proxies: its line is the
    // script's innermost frame.
    const int scriptLine = ScriptLineOf(value.property(QStringLiteral("stack")).toString());
    error->line = hostError && scriptLine > 0
                      ? scriptLine
                      : value.property(QStringLiteral("lineNumber")).toInt();
    error->sourceLine = LineOf(code, error->line);
    if (hostError &&
        value.property(QStringLiteral("source")).toString() == hostError->GetSource()) {
        error->description = hostError->GetDescription();
        error->source = hostError->GetSource();
        error->code = hostError->GetCode();
        error->scode = hostError->GetResult();
    }
    return true;
}

QStringList JsScriptEngine::GlobalFunctionNames() {
    QStringList names;
    for (QJSValueIterator it(m_js->globalObject()); it.hasNext();) {
        it.next();
        if (!m_builtIns.contains(it.name()) && it.value().isCallable()) {
            names.append(it.name());
        }
    }
    return names;
}

void JsScriptEngine::StopRunningCode() {
    if (m_js) {
        m_js->setInterrupted(true);
    }
}

void JsScriptEngine::AllowRunningCode() {
    if (m_js) {
        m_js->setInterrupted(false);
    }
}

}  // namespace tavi::automation::script
