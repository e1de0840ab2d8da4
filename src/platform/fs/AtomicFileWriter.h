#pragma once

#include <QIODevice>
#include <QString>

#include <memory>

namespace tavi::fs {

class ReplacementFile;

// A write-only device that replaces a file the way AtomicFile does, for writers that stream
// their output instead of holding it whole: bytes go to a temporary file in the target's
// folder, and commit() syncs it and renames it over the target. Destroying the writer
// without a successful commit() removes the temporary file and leaves the target untouched.
// Honours AtomicFile's process-wide before-rename hook.
class AtomicFileWriter : public QIODevice {
public:
    explicit AtomicFileWriter(QString path);
    ~AtomicFileWriter() override;
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // Creates the temporary file. False with osError() set when that fails.
    bool open(OpenMode mode = WriteOnly) override;
    // Completes the replacement. False with osError() set (0 when the hook refused).
    bool commit();

    bool isSequential() const override { return true; }
    const QString& targetPath() const { return m_path; }
    // errno of the first failure, 0 while none happened.
    int osError() const { return m_osError; }

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 size) override;

private:
    void discard();

    QString m_path;
    std::unique_ptr<ReplacementFile> m_file;  // while open
    int m_osError = 0;
};

}  // namespace tavi::fs
