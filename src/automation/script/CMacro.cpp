#include "CMacro.h"

#include "platform/registry/RegKey.h"

#include <QtEndian>

namespace tavi::automation::script {

namespace {
const QString kFileName = QStringLiteral("FileName");
const QString kStartup = QStringLiteral("Startup");
}  // namespace

bool CMacro::ReloadMacro(const QString& file) {
    CloseEngine();
    m_fileName = file;
    return !file.isEmpty() && !hr::Failed(LoadScriptFile(file));
}

void CMacro::LoadMacroSettings(reg::RegKey& macrosKey) {
    const reg::RegKey key = macrosKey.subKey(m_name, true);
    const QString file = key.stringValue(kFileName).value_or(QString());
    const auto startup = key.value(kStartup);
    const QByteArray bytes = startup ? startup->data : QByteArray();
    m_startup = bytes.size() >= 4 && qFromLittleEndian<uint32_t>(bytes.constData()) != 0;
    ReloadMacro(file);
}

bool CMacro::SaveMacroSettings(reg::RegKey& macrosKey) const {
    reg::RegKey key = macrosKey.subKey(m_name, true);
    if (!key.isValid()) {
        return false;
    }
    char flag[4];
    qToLittleEndian<uint32_t>(m_startup ? 1 : 0, flag);
    const bool fileWritten = m_fileName.isEmpty() || key.setString(kFileName, m_fileName);
    return key.setBinary(kStartup, QByteArray(flag, 4)) && fileWritten;
}

}  // namespace tavi::automation::script
