#include "AtomicFile.h"

#include "ReplacementFile.h"

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
    SweepLeftoversOf(path);
    ReplacementFile file(path);
    if (const int code = file.Open()) {
        return {false, systemError(code)};
    }
    if (!writeAll(file.fd(), bytes)) {
        return {false, systemError(errno)};
    }
    if (const int code = file.Complete()) {
        return {false, systemError(code)};
    }
    const QString tempPath = file.TemporaryPath();
    if ((beforeRename && !beforeRename(tempPath)) || !runBeforeRenameHook(tempPath)) {
        return {false, QStringLiteral("write abandoned")};
    }
    if (const int code = file.Replace()) {
        return {false, systemError(code)};
    }
    return {true, {}};
}

void AtomicFile::SweepLeftoversOf(const QString& path) {
    const QFileInfo info(path);
    ReplacementFile::SweepLeftovers(info.absolutePath(), info.fileName());
}

}  // namespace tavi::fs
