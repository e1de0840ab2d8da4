#include "CFileException.h"

#include <QCoreApplication>
#include <cerrno>
#include <utility>

namespace tavi::errors {

namespace {

struct CauseText {
    CFileException::Cause cause;
    const char* text;  // %1 = path, %2 = detail
};

// One text per cause; "%1" is the file's path.
constexpr CauseText kCauseTexts[] = {
    {CFileException::none,
     QT_TRANSLATE_NOOP("CFileException", "An unknown error occurred while accessing %1.")},
    {CFileException::genericException,
     QT_TRANSLATE_NOOP("CFileException", "An unexpected error occurred while accessing %1.")},
    {CFileException::fileNotFound,
     QT_TRANSLATE_NOOP(
         "CFileException",
         "%1\nCannot find this file.\nVerify that the correct path and file name are given.")},
    {CFileException::badPath,
     QT_TRANSLATE_NOOP("CFileException", "All or part of the path %1 is not valid.")},
    {CFileException::tooManyOpenFiles,
     QT_TRANSLATE_NOOP("CFileException", "Too many files are open to open %1.")},
    {CFileException::accessDenied, QT_TRANSLATE_NOOP("CFileException", "Access to %1 was denied.")},
    {CFileException::invalidFile,
     QT_TRANSLATE_NOOP("CFileException", "An invalid file handle was used with %1.")},
    {CFileException::removeCurrentDir,
     QT_TRANSLATE_NOOP("CFileException",
                       "%1 could not be removed because it is the current directory.")},
    {CFileException::directoryFull,
     QT_TRANSLATE_NOOP("CFileException", "%1 could not be created because the directory is full.")},
    {CFileException::badSeek, QT_TRANSLATE_NOOP("CFileException", "Seek failed on %1.")},
    {CFileException::hardIO,
     QT_TRANSLATE_NOOP("CFileException", "A hardware I/O error was reported while accessing %1.")},
    {CFileException::sharingViolation,
     QT_TRANSLATE_NOOP("CFileException", "Encountered a sharing violation while accessing %1.")},
    {CFileException::lockViolation,
     QT_TRANSLATE_NOOP("CFileException", "Encountered a locking violation while accessing %1.")},
    {CFileException::diskFull,
     QT_TRANSLATE_NOOP("CFileException", "Disk full while accessing %1.")},
    {CFileException::endOfFile,
     QT_TRANSLATE_NOOP("CFileException", "Attempted to access %1 past its end.")},
    {CFileException::badFormat,
     QT_TRANSLATE_NOOP("CFileException", "%1\nThis file is not a valid playlist: %2")},
};

struct ErrnoCause {
    int osError;
    CFileException::Cause cause;
};

constexpr ErrnoCause kErrnoCauses[] = {
    {ENOENT, CFileException::fileNotFound},     {ENOTDIR, CFileException::badPath},
    {ENAMETOOLONG, CFileException::badPath},    {ELOOP, CFileException::badPath},
    {EINVAL, CFileException::badPath},          {EACCES, CFileException::accessDenied},
    {EPERM, CFileException::accessDenied},      {EROFS, CFileException::accessDenied},
    {EISDIR, CFileException::accessDenied},     {EMFILE, CFileException::tooManyOpenFiles},
    {ENFILE, CFileException::tooManyOpenFiles}, {EBADF, CFileException::invalidFile},
    {ESPIPE, CFileException::badSeek},          {EIO, CFileException::hardIO},
    {EBUSY, CFileException::sharingViolation},  {ETXTBSY, CFileException::sharingViolation},
    {EAGAIN, CFileException::lockViolation},    {ENOSPC, CFileException::diskFull},
    {EDQUOT, CFileException::diskFull},         {EFBIG, CFileException::diskFull},
    {EMLINK, CFileException::directoryFull},
};

// Puts path and detail in one pass, so a "%2" inside a path stays as it is.
QString fillIn(const QString& pattern, const QString& path, const QString& detail) {
    QString result;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == u'%' && i + 1 < pattern.size() &&
            (pattern[i + 1] == u'1' || pattern[i + 1] == u'2')) {
            result += pattern[i + 1] == u'1' ? path : detail;
            ++i;
        } else {
            result += pattern[i];
        }
    }
    return result;
}

}  // namespace

CFileException::CFileException(Cause cause, QString path, int osError, QString detail)
    : m_cause(cause), m_path(std::move(path)), m_osError(osError), m_detail(std::move(detail)) {}

CFileException::Cause CFileException::CauseFromErrno(int osError) {
    for (const ErrnoCause& entry : kErrnoCauses) {
        if (entry.osError == osError) {
            return entry.cause;
        }
    }
    return genericException;
}

CFileException CFileException::FromErrno(int osError, const QString& path) {
    return CFileException(CauseFromErrno(osError), path, osError);
}

CFileException CFileException::FromFileError(QFileDevice::FileError error, const QString& path,
                                             int osError) {
    if (osError != 0) {
        return FromErrno(osError, path);
    }
    switch (error) {
        case QFileDevice::NoError:
            return CFileException(none, path);
        case QFileDevice::PermissionsError:
            return CFileException(accessDenied, path);
        case QFileDevice::OpenError:
            return CFileException(fileNotFound, path);
        case QFileDevice::ResourceError:
            return CFileException(diskFull, path);
        case QFileDevice::PositionError:
            return CFileException(badSeek, path);
        case QFileDevice::ReadError:
        case QFileDevice::WriteError:
            return CFileException(hardIO, path);
        default:
            return CFileException(genericException, path);
    }
}

QString CFileException::GetErrorMessage() const {
    for (const CauseText& entry : kCauseTexts) {
        if (entry.cause == m_cause) {
            return fillIn(QCoreApplication::translate("CFileException", entry.text), m_path,
                          m_detail);
        }
    }
    return fillIn(QCoreApplication::translate("CFileException",
                                              "An unexpected error occurred while accessing %1."),
                  m_path, {});
}

}  // namespace tavi::errors
