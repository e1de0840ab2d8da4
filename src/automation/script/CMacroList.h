#pragma once

#include "CMacro.h"

#include "platform/registry/RegKey.h"

#include <functional>
#include <memory>
#include <vector>

namespace tavi::automation::script {

class CScriptHost;

// The macros in insertion order, kept under the program key's "Macros" subkey. A macro
// removed from the list loses its key and its engine at once; an automation object that
// still holds it reads its name and file, and runs nothing.
class CMacroList {
public:
    static constexpr const char* kKeyName = "Macros";
    // Opens the program key, creating it when missing.
    using KeyOpener = std::function<reg::RegKey()>;

    explicit CMacroList(KeyOpener applicationKey, CScriptHost* host = nullptr);
    ~CMacroList();
    CMacroList(const CMacroList&) = delete;
    CMacroList& operator=(const CMacroList&) = delete;
    void SetHost(CScriptHost* host) { m_host = host; }

    int Count() const { return int(m_macros.size()); }
    std::shared_ptr<CMacro> At(int index) const;
    std::shared_ptr<CMacro> Find(const QString& name) const;  // exact, case-sensitive
    const std::vector<std::shared_ptr<CMacro>>& Macros() const { return m_macros; }

    // A new macro of that name at the end, replacing one of the same name.
    std::shared_ptr<CMacro> CreateMacro(const QString& name);
    bool Remove(const QString& name);
    bool RemoveAt(int index);
    void RemoveAll();

    // Every macro of the "Macros" key, each with its script loaded and none running.
    void LoadAllMacros();
    // Writes every macro's key (the Add-ins page's OK or Apply).
    bool SaveAllMacros();
    void RunStartupMacros();
    void StopAllMacros();
    void CloseAllMacros();

private:
    reg::RegKey MacrosKey() const;

    KeyOpener m_applicationKey;
    CScriptHost* m_host;
    std::vector<std::shared_ptr<CMacro>> m_macros;
};

}  // namespace tavi::automation::script
