#pragma once

#include "CException.h"

#include <QFileDevice>

namespace tavi::errors {

// A file could not be opened, read, written or understood. Carries the cause, the path and
// the system's error code (0 when the failure did not come from a system call).
class CFileException : public CException {
public:
    enum Cause {
        none,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile,
        badFormat,  // the bytes were read but are not a file of the expected kind
    };

    CFileException(Cause cause, QString path, int osError = 0, QString detail = {});

    // Maps an errno value to its cause.
    static CFileException FromErrno(int osError, const QString& path);
    // Maps a QFileDevice error; osError (errno when known) refines it.
    static CFileException FromFileError(QFileDevice::FileError error, const QString& path,
                                        int osError = 0);
    static Cause CauseFromErrno(int osError);

    Cause GetCause() const { return m_cause; }
    const QString& GetFileName() const { return m_path; }
    int GetOsError() const { return m_osError; }
    // For badFormat: what the reader found wrong, with its position.
    const QString& GetDetail() const { return m_detail; }

    // The cause's text with the path put in.
    QString GetErrorMessage() const override;

private:
    Cause m_cause;
    QString m_path;
    int m_osError;
    QString m_detail;
};

}  // namespace tavi::errors
