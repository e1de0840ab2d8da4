#pragma once

#include "ScriptEngineBase.h"

#include <QSet>

#include <memory>

class QJSEngine;
class QJSValue;

namespace tavi::automation::script {

class JsObjectBridge;

// JavaScript on the Qt JavaScript engine: named items are proxies that bind their members
// by name at each use, as a late-bound client does.
class JsScriptEngine : public ScriptEngineBase {
public:
    JsScriptEngine();
    ~JsScriptEngine() override;

protected:
    void CreateRuntime() override;
    void DestroyRuntime() override;
    void Expose(const QString& name, std::shared_ptr<DispatchObject> object) override;
    bool Evaluate(const QString& code, ScriptError* error) override;
    bool CheckSyntax(const QString& code, ScriptError* error) override;
    bool HasGlobalFunction(const QString& name) override;
    bool CallGlobal(const QString& name, const std::vector<Variant>& arguments, Variant* result,
                    ScriptError* error) override;
    QStringList GlobalFunctionNames() override;
    void StopRunningCode() override;
    void AllowRunningCode() override;

private:
    bool Failed(const QJSValue& value, bool threw, const QString& code, ScriptError* error);

    std::unique_ptr<QJSEngine> m_js;
    JsObjectBridge* m_bridge = nullptr;  // owned by m_js
    QSet<QString> m_builtIns;            // global names that are not the script's
    QString m_code;                      // the text run last, for the lines of errors
};

}  // namespace tavi::automation::script
