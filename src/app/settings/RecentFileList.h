#pragma once

#include "platform/registry/RegKey.h"

#include <QStringList>

namespace tavi::settings {

// The most recently opened playlists, newest first, kept as "File1".."File10" in the
// "Recent File List" key of the application.
class RecentFileList {
public:
    static constexpr int kMaxEntries = 10;

    const QStringList& entries() const { return m_entries; }
    bool isEmpty() const { return m_entries.isEmpty(); }
    // Moves path (made absolute) to the front; the oldest entry drops off past ten.
    void add(const QString& path);
    void remove(qsizetype index);

    void load(const reg::RegKey& applicationKey);
    void save(reg::RegKey& applicationKey) const;

private:
    QStringList m_entries;
};

}  // namespace tavi::settings
