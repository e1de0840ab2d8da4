#include "CToolList.h"

#include "platform/registry/RegKey.h"

#include <QDir>
#include <QFileInfo>

namespace tavi::automation::tools {

namespace {
const QString kToolMenu = QString::fromLatin1(CToolList::kKeyName);
const QString kCount = QStringLiteral("Count");
QString ToolKeyName(size_t position) {
    return QStringLiteral("Tool %1").arg(position);
}
}  // namespace

void CToolList::Load(reg::RegKey& parent) {
    m_tools.clear();
    const reg::RegKey menu = parent.subKey(kToolMenu, true);
    const uint32_t count = menu.dwordValue(kCount).value_or(0);
    for (uint32_t position = 1; position <= count && position <= 10000; ++position) {
        CTool tool;
        tool.Load(menu.subKey(ToolKeyName(position)));
        m_tools.push_back(std::move(tool));
    }
}

bool CToolList::Save(reg::RegKey& parent) const {
    parent.deleteSubKeyTree(kToolMenu);
    reg::RegKey menu = parent.subKey(kToolMenu, true);
    bool written = menu.isValid();
    for (size_t i = 0; i < m_tools.size(); ++i) {
        reg::RegKey key = menu.subKey(ToolKeyName(i + 1), true);
        written = key.isValid() && m_tools[i].Save(key) && written;
    }
    return menu.setDWord(kCount, uint32_t(m_tools.size())) && written;
}

void CToolList::AddDefaultTools(const QString& mixerProgram, const QString& musicFolder) {
    if (!mixerProgram.isEmpty()) {
        CTool mixer;
        mixer.description = QStringLiteral("Mixer");
        mixer.commandLine = mixerProgram;
        mixer.iconFile = mixerProgram;
        mixer.startOptions = CTool::kShowNormal;
        mixer.LoadToolIcons();
        m_tools.push_back(std::move(mixer));
    }
    if (!musicFolder.isEmpty() && QFileInfo(musicFolder).isDir()) {
        CTool music;
        music.description = QDir(musicFolder).dirName();
        music.commandLine = musicFolder;
        music.startOptions = CTool::kShowNormal;
        music.LoadToolIcons();
        m_tools.push_back(std::move(music));
    }
}

}  // namespace tavi::automation::tools
