#pragma once

#include <QByteArray>
#include <QString>

namespace tavi::fs {

// The temporary file behind an atomic replacement of a file. Where the file system allows it
// the file has no name while it is written (O_TMPFILE), so a crash or a kill in the middle
// leaves nothing behind; it is named beside the target only once complete and synced, just
// before the rename. That name, ".<target>~tavi<pid>-XXXXXX", says which run made it, so a
// later run can remove what a killed one left (SweepLeftovers).
class ReplacementFile {
public:
    explicit ReplacementFile(const QString& targetPath);
    ~ReplacementFile();  // discards what was not committed
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;

    // Creates the temporary file; errno's code on failure, else 0.
    int Open();
    int fd() const { return m_fd; }
    // Syncs and closes the file and gives it its temporary name; errno's code on failure.
    int Complete();
    // The temporary name after Complete().
    QString TemporaryPath() const;
    // Renames the completed file over the target and makes the rename durable.
    int Replace();
    // Removes the temporary file (closed or named); the target stays as it was.
    void Discard();

    // Removes the leftovers of runs that no longer exist in folder: every one, or only those
    // of the target called targetName. Returns how many went.
    static int SweepLeftovers(const QString& folder, const QString& targetName = {});

private:
    int OpenNamed();
    int GiveName();

    QByteArray m_folder;
    QByteArray m_target;
    QByteArray m_targetName;
    QByteArray m_tempName;  // set once the file has a name
    int m_fd = -1;
    bool m_unnamed = false;
};

}  // namespace tavi::fs
