#pragma once

#include "ScriptEngineBase.h"

#include <QSet>

#include <atomic>
#include <optional>

struct lua_State;
struct lua_Debug;

namespace tavi::automation::script {

// Lua 5.4: named items are userdata whose fields bind the object's members by name;
// methods can be called with "." or ":".
class LuaScriptEngine : public ScriptEngineBase {
public:
    LuaScriptEngine();
    ~LuaScriptEngine() override;

    // For the object glue: an automation error is kept, then raised into the script once
    // the glue's C++ objects are gone (a Lua error unwinds with a long jump).
    void KeepHostError(const DispatchException& error) { m_hostError = error; }
    int RaiseKeptError(lua_State* lua);

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
    static void CountHook(lua_State* lua, lua_Debug* debug);
    void ReadError(ScriptError* error);

    lua_State* m_lua = nullptr;
    std::atomic<bool> m_stop = false;
    std::optional<DispatchException> m_hostError;
    QSet<QString> m_builtIns;
    QString m_code;
};

}  // namespace tavi::automation::script
