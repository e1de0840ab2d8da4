#include "RecentFileList.h"

#include "SettingsKeys.h"
#include "SettingsValues.h"

#include <QDir>
#include <QFileInfo>

namespace tavi::settings {

namespace {
QString entryName(int index) {
    return QStringLiteral("File%1").arg(index + 1);
}
}  // namespace

void RecentFileList::add(const QString& path) {
    const QString absolute = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    m_entries.removeAll(absolute);
    m_entries.prepend(absolute);
    while (m_entries.size() > kMaxEntries) {
        m_entries.removeLast();
    }
}

void RecentFileList::remove(qsizetype index) {
    if (index >= 0 && index < m_entries.size()) {
        m_entries.removeAt(index);
    }
}

void RecentFileList::load(const reg::RegKey& applicationKey) {
    m_entries.clear();
    const reg::RegKey key = applicationKey.subKey(keys::kRecentFileList);
    for (int i = 0; i < kMaxEntries; ++i) {
        const QString path = readString(key, entryName(i), QString());
        if (!path.isEmpty()) {
            m_entries.append(path);
        }
    }
}

void RecentFileList::save(reg::RegKey& applicationKey) const {
    reg::RegKey key = applicationKey.subKey(keys::kRecentFileList, true);
    for (int i = 0; i < kMaxEntries; ++i) {
        if (i < m_entries.size()) {
            key.setString(entryName(i), m_entries[i]);
        } else {
            key.deleteValue(entryName(i));
        }
    }
}

}  // namespace tavi::settings
