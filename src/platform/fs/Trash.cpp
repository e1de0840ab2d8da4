#include "Trash.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavi::fs {

namespace {

QByteArray Native(const QString& path) {
    return QFile::encodeName(path);
}

bool DeviceOf(const QString& path, dev_t* device) {
    struct stat info {};
    if (::lstat(Native(path).constData(), &info) != 0) {
        return false;
    }
    *device = info.st_dev;
    return true;
}

// The nearest folder at or above path that exists (for a trash not made yet).
QString ExistingAncestor(QString path) {
    while (!QFileInfo::exists(path) && path != QLatin1String("/")) {
        path = QFileInfo(path).absolutePath();
    }
    return path;
}

// The top of the mount that holds path: the last folder upwards on the same device.
QString TopDirectory(const QString& path, dev_t device) {
    QString top = QFileInfo(path).absolutePath();
    while (top != QLatin1String("/")) {
        const QString parent = QFileInfo(top).absolutePath();
        dev_t parentDevice = 0;
        if (!DeviceOf(parent, &parentDevice) || parentDevice != device) {
            break;
        }
        top = parent;
    }
    return top;
}

bool MakePrivateFolder(const QString& path) {
    if (::mkdir(Native(path).constData(), 0700) == 0) {
        return true;
    }
    struct stat info {};
    return errno == EEXIST && ::lstat(Native(path).constData(), &info) == 0 &&
           S_ISDIR(info.st_mode) && info.st_uid == ::getuid();
}

bool MakeTrashFolders(const QString& trash) {
    return QDir().mkpath(QFileInfo(trash).absolutePath()) && MakePrivateFolder(trash) &&
           MakePrivateFolder(trash + QLatin1String("/files")) &&
           MakePrivateFolder(trash + QLatin1String("/info"));
}

// $topdir/.Trash/$uid when the administrator made $topdir/.Trash (sticky, no link), else
// $topdir/.Trash-$uid.
QString TopTrash(const QString& top) {
    const QString uid = QString::number(::getuid());
    const QString shared = top + QLatin1String("/.Trash");
    struct stat info {};
    if (::lstat(Native(shared).constData(), &info) == 0 && S_ISDIR(info.st_mode) &&
        (info.st_mode & S_ISVTX) && MakeTrashFolders(shared + QLatin1Char('/') + uid)) {
        return shared + QLatin1Char('/') + uid;
    }
    const QString own = top + QLatin1String("/.Trash-") + uid;
    return MakeTrashFolders(own) ? own : QString();
}

// Reserves a name in the trash by creating its info file exclusively; the name found.
QString ReserveName(const QString& trash, const QString& fileName, const QByteArray& info) {
    const QFileInfo name(fileName);
    for (int n = 1; n < 10000; ++n) {
        const QString candidate =
            n == 1
                ? fileName
                : QStringLiteral("%1.%2%3")
                      .arg(name.completeBaseName())
                      .arg(n)
                      .arg(name.suffix().isEmpty() ? QString() : QLatin1Char('.') + name.suffix());
        if (QFileInfo::exists(trash + QLatin1String("/files/") + candidate)) {
            continue;
        }
        const QByteArray infoPath =
            Native(trash + QLatin1String("/info/") + candidate + QLatin1String(".trashinfo"));
        const int fd = ::open(infoPath.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (errno == EEXIST) {
                continue;
            }
            return {};
        }
        const bool written = ::write(fd, info.constData(), size_t(info.size())) == info.size();
        ::close(fd);
        if (!written) {
            ::unlink(infoPath.constData());
            return {};
        }
        return candidate;
    }
    return {};
}

QByteArray InfoText(const QString& pathInTrash) {
    return "[Trash Info]\nPath=" + QUrl::toPercentEncoding(pathInTrash, "/") + "\nDeletionDate=" +
           QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-ddThh:mm:ss")).toUtf8() +
           "\n";
}

Trash::Result Failure(const QString& error) {
    Trash::Result result;
    result.error = error;
    return result;
}

}  // namespace

QString Trash::HomeTrash() {
    const QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    const QString base = QDir::isAbsolutePath(dataHome)
                             ? dataHome
                             : QDir::homePath() + QLatin1String("/.local/share");
    return QDir::cleanPath(base + QLatin1String("/Trash"));
}

Trash::Result Trash::MoveToTrash(const QString& path) {
    const QString absolute = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    dev_t fileDevice = 0;
    if (!DeviceOf(absolute, &fileDevice)) {
        return Failure(QString::fromLocal8Bit(std::strerror(errno)));
    }
    QString trash = HomeTrash();
    QString pathInTrash = absolute;
    dev_t homeDevice = 0;
    if (!DeviceOf(ExistingAncestor(trash), &homeDevice) || homeDevice != fileDevice) {
        const QString top = TopDirectory(absolute, fileDevice);
        trash = TopTrash(top);
        pathInTrash = top == QLatin1String("/") ? absolute.mid(1) : absolute.mid(top.size() + 1);
    } else if (!MakeTrashFolders(trash)) {
        trash.clear();
    }
    if (trash.isEmpty()) {
        return Failure(QStringLiteral("no trash folder can be made for %1").arg(absolute));
    }
    const QString name = ReserveName(trash, QFileInfo(absolute).fileName(), InfoText(pathInTrash));
    if (name.isEmpty()) {
        return Failure(QString::fromLocal8Bit(std::strerror(errno)));
    }
    const QString target = trash + QLatin1String("/files/") + name;
    if (::rename(Native(absolute).constData(), Native(target).constData()) != 0) {
        const int error = errno;
        QFile::remove(trash + QLatin1String("/info/") + name + QLatin1String(".trashinfo"));
        return Failure(QString::fromLocal8Bit(std::strerror(error)));
    }
    Result result;
    result.ok = true;
    result.trashedAs = target;
    return result;
}

}  // namespace tavi::fs
