#pragma once

#include "CCmdTargetPlusObjectInfo.h"
#include "ScriptEngine.h"

#include <functional>
#include <utility>
#include <vector>

namespace tavi::automation::script {

// One script engine with its host side: the named items it sees, the script file it ran,
// and the report of its errors.
class CActiveScriptSite : public ScriptSite {
public:
    // Shows a script error to the user (the main window's message box; tests record it).
    using ErrorPresenter = std::function<void(const QString& text, const QString& caption)>;
    static void SetErrorPresenter(ErrorPresenter presenter);

    CActiveScriptSite();
    ~CActiveScriptSite() override;
    CActiveScriptSite(const CActiveScriptSite&) = delete;
    CActiveScriptSite& operator=(const CActiveScriptSite&) = delete;

    HResult CreateEngine(const QString& language);
    virtual HResult LoadScriptFile(const QString& path);
    virtual HResult AddScriptText(const QString& code);
    virtual HResult AddNamedItems();
    void AddNamedItemInfo(const QString& name, std::shared_ptr<DispatchObject> object,
                          uint32_t flags);
    HResult RunScript();
    HResult StopScript();
    bool IsScriptRunning() const;
    void CloseEngine();
    std::shared_ptr<DispatchObject> ScriptDispatch();
    bool HasEngine() const { return m_engine != nullptr; }
    const QString& ScriptFileName() const { return m_scriptFileName; }

    // What the engine calls.
    HResult GetLCID() const { return hr::kNotImpl; }
    HResult GetDocVersionString() const { return hr::kNotImpl; }
    HResult GetItemInfo(const QString& name, uint32_t mask, std::shared_ptr<DispatchObject>* object,
                        const TypeLibrary::Coclass** typeInfo) override;
    HResult OnScriptError(const ScriptError& error) override;
    HResult OnEnterScript() override { return hr::kOk; }
    HResult OnLeaveScript() override { return hr::kOk; }

private:
    const CCmdTargetPlusObjectInfo* FindItem(const QString& name) const;

    std::unique_ptr<ScriptEngine> m_engine;
    std::vector<std::pair<QString, CCmdTargetPlusObjectInfo>> m_items;  // in the order added
    QString m_scriptFileName;
};

}  // namespace tavi::automation::script
