#include "CMacroList.h"

#include "platform/registry/RegKey.h"

#include <QtEndian>

#include <algorithm>

namespace tavi::automation {

namespace {
const QString kMacros = QString::fromLatin1(CMacroList::kKeyName);
const QString kFileName = QStringLiteral("FileName");
const QString kStartup = QStringLiteral("Startup");
}  // namespace

std::shared_ptr<CMacro> CMacroList::At(int index) const {
    if (index < 0 || index >= Count()) {
        return nullptr;
    }
    return m_macros[size_t(index)];
}

std::shared_ptr<CMacro> CMacroList::Find(const QString& name) const {
    const auto found = std::find_if(m_macros.begin(), m_macros.end(),
                                    [&](const auto& macro) { return macro->name == name; });
    return found == m_macros.end() ? nullptr : *found;
}

std::shared_ptr<CMacro> CMacroList::CreateMacro(const QString& name) {
    Remove(name);
    auto macro = std::make_shared<CMacro>();
    macro->name = name;
    m_macros.push_back(macro);
    return macro;
}

bool CMacroList::Remove(const QString& name) {
    const auto found = std::find_if(m_macros.begin(), m_macros.end(),
                                    [&](const auto& macro) { return macro->name == name; });
    if (found == m_macros.end()) {
        return false;
    }
    m_macros.erase(found);
    return true;
}

bool CMacroList::RemoveAt(int index) {
    if (index < 0 || index >= Count()) {
        return false;
    }
    m_macros.erase(m_macros.begin() + index);
    return true;
}

void CMacroList::RemoveAll() {
    while (!m_macros.empty()) {
        RemoveAt(0);
    }
}

void CMacroList::Load(const reg::RegKey& applicationKey) {
    m_macros.clear();
    const reg::RegKey macros = applicationKey.subKey(kMacros);
    if (!macros.isValid()) {
        return;
    }
    for (const QString& name : macros.subKeyNames()) {
        const reg::RegKey key = macros.subKey(name);
        auto macro = CreateMacro(name);
        macro->fileName = key.stringValue(kFileName).value_or(QString());
        const auto startup = key.value(kStartup);
        const QByteArray bytes = startup ? startup->data : QByteArray();
        macro->startup = bytes.size() >= 4 && qFromLittleEndian<uint32_t>(bytes.constData()) != 0;
    }
}

bool CMacroList::Save(reg::RegKey& applicationKey) const {
    applicationKey.deleteSubKeyTree(kMacros);
    reg::RegKey macros = applicationKey.subKey(kMacros, true);
    bool written = macros.isValid();
    for (const auto& macro : m_macros) {
        reg::RegKey key = macros.subKey(macro->name, true);
        char flag[4];
        qToLittleEndian<uint32_t>(macro->startup ? 1 : 0, flag);
        written = key.setString(kFileName, macro->fileName) &&
                  key.setBinary(kStartup, QByteArray(flag, 4)) && written;
    }
    return written;
}

}  // namespace tavi::automation
