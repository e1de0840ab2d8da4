#pragma once

#include <QString>
#include <QStringList>

namespace tavi::formats {

// The list every playlist format is read into and written from: the entry texts in order
// and, for the INI formats, the zero-based index of the entry to play next. Lives for one
// load or one save. Load and Save pick reader and writer by the file's extension.
class CPlaylistFile {
public:
    // Empties the list and reads the file. Throws CFileException or CWin32Exception.
    void Load(const QString& path);
    // Writes the list; the previous file survives a failure. Throws CFileException or
    // CWin32Exception.
    void Save(const QString& path) const;

    const QStringList& Entries() const { return m_entries; }
    QStringList& Entries() { return m_entries; }
    qsizetype GetCount() const { return m_entries.size(); }
    const QString& GetAt(qsizetype index) const { return m_entries.at(index); }
    void Add(const QString& entry) { m_entries.append(entry); }
    void RemoveAll() { m_entries.clear(); }

    int NextIndex() const { return m_nextIndex; }
    void SetNextIndex(int index) { m_nextIndex = index; }

private:
    QStringList m_entries;
    int m_nextIndex = 0;
};

}  // namespace tavi::formats
