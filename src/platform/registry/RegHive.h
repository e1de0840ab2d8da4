#pragma once

#include "RegKeyNode.h"

#include <QDateTime>
#include <QString>

#include <functional>
#include <memory>
#include <mutex>

namespace tavi::reg {

// One hive: a key tree with the file it is kept in. The tree is guarded by mutex();
// callers lock it around every access.
class RegHive {
public:
    // rootName is the name sections of the file start with ("HKEY_CURRENT_USER");
    // defaults, when given, are the tree the file is laid over. An empty filePath keeps
    // the hive in memory only.
    RegHive(QString rootName, QString filePath, bool writable,
            std::unique_ptr<RegKeyNode> defaults = nullptr);

    const QString& rootName() const { return m_rootName; }
    const QString& filePath() const { return m_filePath; }
    bool isWritable() const { return m_writable; }
    std::mutex& mutex() { return m_mutex; }
    RegKeyNode& root() { return *m_root; }

    // Reads the file over the defaults. A file that does not parse is renamed aside with a
    // ".bad" suffix and reported on standard error; the hive then holds the defaults.
    void load();
    // Reloads when the file changed on disk since this process last read or wrote it.
    void reloadIfChangedOnDisk();
    // Writes the tree atomically when it changed; a failure keeps the old file and the
    // hive stays dirty. Returns whether the file now holds the tree.
    bool saveIfDirty();
    // Called (on the saving thread) when a save fails, with the file and the system's text,
    // so that the program can tell the user; without one, failures are only kept from the
    // file. Set once at start.
    using SaveFailure = std::function<void(const QString& path, const QString& error)>;
    static void setSaveFailureHandler(SaveFailure handler);
    void markDirty() { m_dirty = true; }
    bool isDirty() const { return m_dirty; }
    // Counts changes, so that views built from this hive know when to rebuild.
    quint64 generation() const { return m_generation; }
    void bumpGeneration() { ++m_generation; }

private:
    struct FileStamp {
        QDateTime modified;
        qint64 size = -1;
        bool operator==(const FileStamp&) const = default;
    };
    FileStamp stampOnDisk() const;
    void keepBadFileAside(const QString& why, int line);

    QString m_rootName;
    QString m_filePath;
    bool m_writable;
    std::unique_ptr<RegKeyNode> m_defaults;
    // All following fields are protected by m_mutex.
    std::mutex m_mutex;
    std::unique_ptr<RegKeyNode> m_root;
    FileStamp m_stamp;
    bool m_dirty = false;
    quint64 m_generation = 0;
};

}  // namespace tavi::reg
