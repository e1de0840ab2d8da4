#pragma once

#include <QString>

#include <memory>
#include <vector>

namespace tavi::reg {
class RegKey;
}

namespace tavi::automation {

// One macro: its name (the key it is listed under), its script file and its start-up flag.
// The script engine that runs it is not part of the list.
struct CMacro {
    QString name;
    QString fileName;
    bool startup = false;
};

// The macros in insertion order, kept under the "Macros" key: one subkey per macro named by
// the macro, with "FileName" (string) and "Startup" (4 bytes, nonzero = run at start-up).
// Macros are shared so that an automation object keeps its macro readable after the macro
// left the list.
class CMacroList {
public:
    static constexpr const char* kKeyName = "Macros";

    int Count() const { return int(m_macros.size()); }
    std::shared_ptr<CMacro> At(int index) const;
    std::shared_ptr<CMacro> Find(const QString& name) const;  // exact, case-sensitive
    const std::vector<std::shared_ptr<CMacro>>& Macros() const { return m_macros; }

    // A new macro of that name at the end, replacing one of the same name.
    std::shared_ptr<CMacro> CreateMacro(const QString& name);
    bool Remove(const QString& name);
    bool RemoveAt(int index);
    void RemoveAll();

    // Reads the list from the application key's "Macros" subkey (missing: empty list).
    void Load(const reg::RegKey& applicationKey);
    // Replaces the "Macros" subkey by the list.
    bool Save(reg::RegKey& applicationKey) const;

private:
    std::vector<std::shared_ptr<CMacro>> m_macros;
};

}  // namespace tavi::automation
