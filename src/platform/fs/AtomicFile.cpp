#include "AtomicFile.h"

#include <QDir>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>

namespace tavi::fs {

namespace {

QString systemError(int code) {
    return QString::fromLocal8Bit(std::strerror(code));
}

bool writeAll(int fd, const QByteArray& bytes) {
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, static_cast<size_t>(left));
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data += written;
        left -= written;
    }
    return true;
}

// Makes the rename itself durable; a failure here does not undo a completed write.
void syncFolder(const QString& folder) {
    const int fd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

AtomicFile::BeforeRename& processHook() {
    static AtomicFile::BeforeRename hook;
    return hook;
}

}  // namespace

void AtomicFile::CopyModeOf(int fd, const QByteArray& target) {
    struct stat info {};
    if (::stat(target.constData(), &info) == 0) {
        ::fchmod(fd, info.st_mode & 07777);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
    }
}

void AtomicFile::setBeforeRenameHook(BeforeRename hook) {
    processHook() = std::move(hook);
}

bool AtomicFile::runBeforeRenameHook(const QString& tempPath) {
    return !processHook() || processHook()(tempPath);
}

bool AtomicFile::ensureParentFolder(const QString& path) {
    return QDir().mkpath(QFileInfo(path).absolutePath());
}

AtomicFile::Result AtomicFile::write(const QString& path, const QByteArray& bytes,
                                     const BeforeRename& beforeRename) {
    const QFileInfo info(path);
    const QByteArray target = QFile::encodeName(info.absoluteFilePath());
    QByteArray pattern = QFile::encodeName(info.absolutePath() + QLatin1String("/.") +
                                           info.fileName() + QLatin1String(".XXXXXX"));
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0) {
        return {false, systemError(errno)};
    }
    const QString tempPath = QFile::decodeName(pattern);
    auto abandon = [&](int code) {
        ::unlink(pattern.constData());
        return Result{false, code ? systemError(code) : QStringLiteral("write abandoned")};
    };
    CopyModeOf(fd, target);
    if (!writeAll(fd, bytes) || ::fsync(fd) != 0) {
        const int code = errno;
        ::close(fd);
        return abandon(code);
    }
    if (::close(fd) != 0) {
        return abandon(errno);
    }
    if ((beforeRename && !beforeRename(tempPath)) || (processHook() && !processHook()(tempPath))) {
        return abandon(0);
    }
    if (::rename(pattern.constData(), target.constData()) != 0) {
        return abandon(errno);
    }
    syncFolder(info.absolutePath());
    return {true, {}};
}

}  // namespace tavi::fs
