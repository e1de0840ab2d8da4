#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

namespace tavi::fs {

// Replaces a file's contents so that a crash, a full disk or any failure leaves either the
// old file or the new one, never a mixture: the bytes go to a temporary file in the same
// folder (ReplacementFile), which is flushed to disk and then renamed over the target.
class AtomicFile {
public:
    struct Result {
        bool ok = false;
        QString error;  // the system's text, empty on success
    };

    // Called after the temporary file is complete and synced, just before the rename; a
    // false result abandons the write. Lets tests stand in for a crash at that moment.
    using BeforeRename = std::function<bool(const QString& tempPath)>;

    static Result write(const QString& path, const QByteArray& bytes,
                        const BeforeRename& beforeRename = {});

    // A process-wide hook run before every rename, for fault-injection tests of callers
    // that write through this class. Pass an empty function to remove it.
    static void setBeforeRenameHook(BeforeRename hook);
    // Runs that hook; true when there is none. Used by AtomicFileWriter.
    static bool runBeforeRenameHook(const QString& tempPath);

    // Gives the descriptor the permissions of the file it will replace, so a private file
    // stays private; a new file gets the umask's default.
    static void CopyModeOf(int fd, const QByteArray& targetPath);

    // Removes what killed runs left while replacing path (their temporary files). Every write
    // does it first; readers of files they never write call it themselves.
    static void SweepLeftoversOf(const QString& path);

    // Creates the folder that will hold path (and its parents) when missing.
    static bool ensureParentFolder(const QString& path);
};

}  // namespace tavi::fs
