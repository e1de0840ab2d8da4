#pragma once

#include "CActiveScriptSite.h"

namespace tavi::reg {
class RegKey;
}

namespace tavi::automation::script {

// A macro: a script file in an engine of its own, listed under its name in the "Macros"
// key with its file ("FileName") and whether it runs at start-up ("Startup", 4 bytes).
class CMacro : public CActiveScriptSite {
public:
    explicit CMacro(QString name) : m_name(std::move(name)) {}

    const QString& Name() const { return m_name; }
    const QString& FileName() const { return m_fileName; }
    bool Startup() const { return m_startup; }
    void SetStartup(bool startup) { m_startup = startup; }

    // Closes the engine and loads file into a new one; false when there is no file or it
    // did not load.
    bool ReloadMacro(const QString& file);
    // The macro's key under macrosKey: read (then the file is loaded) or written.
    void LoadMacroSettings(reg::RegKey& macrosKey);
    bool SaveMacroSettings(reg::RegKey& macrosKey) const;

private:
    QString m_name;
    QString m_fileName;
    bool m_startup = false;
};

}  // namespace tavi::automation::script
