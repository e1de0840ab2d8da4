#pragma once

#include <QStringList>

#include <atomic>
#include <functional>

namespace tavi::playlist {

// The files below a folder, for adding it to the list: every file of every sub-folder, in
// natural name order within each folder (fs::NaturalOrder: files and sub-folders in one
// sequence, numbers by value, so "2" before "10"), hidden ones included. Each folder is entered
// once, known by device and inode, so links that lead back up the tree cannot make the walk
// endless; unreadable folders are skipped. Touches nothing but the file system, so it runs on a
// worker thread.
class FolderWalk {
public:
    using Batch = std::function<void(QStringList files)>;

    // Hands the files to batch in groups of at most batchSize, in order; stops early when
    // cancelled becomes true.
    static void Run(const QString& folder, const std::atomic<bool>& cancelled, const Batch& batch,
                    int batchSize = 256);
    // The order of names in a folder (fs::NaturalOrder); < 0, 0 or > 0.
    static int CompareNames(const QString& a, const QString& b);
};

}  // namespace tavi::playlist
