#include "CMacroList.h"

#include "CScriptHost.h"

#include <algorithm>
#include <utility>

namespace tavi::automation::script {

namespace {
const QString kMacros = QString::fromLatin1(CMacroList::kKeyName);
}  // namespace

CMacroList::CMacroList(KeyOpener applicationKey, CScriptHost* host)
    : m_applicationKey(std::move(applicationKey)), m_host(host) {}

CMacroList::~CMacroList() {
    StopAllMacros();
    for (const auto& macro : m_macros) {
        macro->CloseEngine();
    }
}

reg::RegKey CMacroList::MacrosKey() const {
    reg::RegKey application = m_applicationKey ? m_applicationKey() : reg::RegKey();
    return application.isValid() ? application.subKey(kMacros, true) : reg::RegKey();
}

std::shared_ptr<CMacro> CMacroList::At(int index) const {
    if (index < 0 || index >= Count()) {
        return nullptr;
    }
    return m_macros[size_t(index)];
}

std::shared_ptr<CMacro> CMacroList::Find(const QString& name) const {
    const auto found = std::find_if(m_macros.begin(), m_macros.end(),
                                    [&](const auto& macro) { return macro->Name() == name; });
    return found == m_macros.end() ? nullptr : *found;
}

std::shared_ptr<CMacro> CMacroList::CreateMacro(const QString& name) {
    Remove(name);
    auto macro = std::make_shared<CMacro>(name);
    if (m_host) {
        m_host->RegisterNamedItems(*macro);
    }
    m_macros.push_back(macro);
    return macro;
}

bool CMacroList::Remove(const QString& name) {
    const auto found = std::find_if(m_macros.begin(), m_macros.end(),
                                    [&](const auto& macro) { return macro->Name() == name; });
    return found != m_macros.end() && RemoveAt(int(found - m_macros.begin()));
}

bool CMacroList::RemoveAt(int index) {
    if (index < 0 || index >= Count()) {
        return false;
    }
    const std::shared_ptr<CMacro> macro = m_macros[size_t(index)];
    m_macros.erase(m_macros.begin() + index);
    reg::RegKey macros = MacrosKey();
    if (macros.isValid()) {
        macros.deleteSubKeyTree(macro->Name());
    }
    macro->CloseEngine();  // the script file stays where it is
    return true;
}

void CMacroList::RemoveAll() {
    while (!m_macros.empty()) {
        RemoveAt(0);
    }
}

void CMacroList::LoadAllMacros() {
    // Read anew: the macros in memory go, their keys stay to be read.
    for (const auto& macro : std::exchange(m_macros, {})) {
        macro->CloseEngine();
    }
    reg::RegKey macros = MacrosKey();
    if (!macros.isValid()) {
        return;
    }
    for (const QString& name : macros.subKeyNames()) {
        CreateMacro(name)->LoadMacroSettings(macros);
    }
}

bool CMacroList::SaveAllMacros() {
    reg::RegKey macros = MacrosKey();
    bool written = macros.isValid();
    for (const auto& macro : m_macros) {
        written = macros.isValid() && macro->SaveMacroSettings(macros) && written;
    }
    return written;
}

void CMacroList::RunStartupMacros() {
    // A copy: a start-up script may change the list.
    const auto macros = m_macros;
    for (const auto& macro : macros) {
        if (macro->Startup() && !macro->IsScriptRunning()) {
            macro->RunScript();
        }
    }
}

void CMacroList::StopAllMacros() {
    const auto macros = m_macros;
    for (const auto& macro : macros) {
        if (macro->IsScriptRunning()) {
            macro->StopScript();
        }
    }
}

void CMacroList::CloseAllMacros() {
    const auto macros = m_macros;
    for (const auto& macro : macros) {
        if (macro->IsScriptRunning()) {
            macro->StopScript();
        }
        macro->CloseEngine();
    }
}

}  // namespace tavi::automation::script
