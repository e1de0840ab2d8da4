#pragma once

#include "ScriptEngine.h"

#include <QStringList>

#include <atomic>
#include <chrono>
#include <functional>
#include <vector>

namespace tavi::automation {
class CCmdTargetPlus;
}

namespace tavi::automation::script {

// What the built-in engines share: the states, the named items, the text parsed before
// the start, the event handlers (a global function "<Item>_<Event>" for each event of an
// item that is a source) and the time limit of a script run. An engine adds its
// interpreter: run text, call and list global functions, expose an object by name.
class ScriptEngineBase : public ScriptEngine {
public:
    ScriptEngineBase();
    ~ScriptEngineBase() override;

    HResult SetScriptSite(ScriptSite* site) override;
    HResult InitNew() override;
    HResult AddNamedItem(const QString& name, uint32_t flags) override;
    HResult ParseScriptText(const QString& code) override;
    HResult SetScriptState(ScriptState state) override;
    HResult GetScriptState(ScriptState* state) const override;
    HResult Close() override;
    std::shared_ptr<DispatchObject> GetScriptDispatch() override;
    void Interrupt() override;
    bool IsRunningCode() const override { return m_depth > 0; }

    bool HasFunction(const QString& name);
    // Calls a global function; a failure is reported to the site and put in *error.
    bool CallFunction(const QString& name, const std::vector<Variant>& arguments, Variant* result,
                      ScriptError* error = nullptr);
    QStringList FunctionNames();
    // Gone when the script is closed: what outlives it (the global object, event sinks)
    // checks it before calling in.
    std::weak_ptr<void> Lifetime() const { return m_lifetime; }

    // How long one run of script code may take before it is stopped; zero for no limit.
    static void SetTimeLimit(std::chrono::milliseconds limit);
    static std::chrono::milliseconds TimeLimit();

protected:
    virtual void CreateRuntime() = 0;
    virtual void DestroyRuntime() = 0;
    virtual void Expose(const QString& name, std::shared_ptr<DispatchObject> object) = 0;
    virtual bool Evaluate(const QString& code, ScriptError* error) = 0;
    // Finds syntax errors without running anything.
    virtual bool CheckSyntax(const QString& code, ScriptError* error) = 0;
    virtual bool HasGlobalFunction(const QString& name) = 0;
    virtual bool CallGlobal(const QString& name, const std::vector<Variant>& arguments,
                            Variant* result, ScriptError* error) = 0;
    virtual QStringList GlobalFunctionNames() = 0;
    // From the watchdog's thread: make the running code fail soon.
    virtual void StopRunningCode() = 0;
    // After a stop, before the next run.
    virtual void AllowRunningCode() = 0;

    // The line of code, counted from 1, for error reports.
    static QString LineOf(const QString& code, int line);

private:
    bool Run(const std::function<bool(ScriptError*)>& body, ScriptError* failure);
    bool IsLoaded() const;
    void ExposeItems();
    void ConnectEvents();
    void DisconnectEvents();
    HResult Start();

    struct Item {
        QString name;
        uint32_t flags = 0;
        bool exposed = false;
    };
    ScriptSite* m_site = nullptr;
    ScriptState m_state = ScriptState::Uninitialized;
    std::vector<Item> m_items;
    QStringList m_pendingCode;
    std::vector<std::pair<std::weak_ptr<CCmdTargetPlus>, uint32_t>> m_connections;
    std::shared_ptr<int> m_lifetime;
    int m_depth = 0;
    uint64_t m_alarm = 0;
    std::atomic<bool> m_stopped = false;
};

}  // namespace tavi::automation::script
