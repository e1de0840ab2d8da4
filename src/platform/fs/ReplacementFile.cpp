#include "ReplacementFile.h"

#include "AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>

namespace tavi::fs {

namespace {

// Leaves room for the run's mark within the 255 bytes a name may have.
constexpr qsizetype kLongestNamePart = 200;

QByteArray NamePart(const QByteArray& targetName) {
    return targetName.left(kLongestNamePart);
}

QByteArray RandomSuffix() {
    static constexpr char kLetters[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QByteArray suffix(6, 'X');
    for (char& letter : suffix) {
        letter = kLetters[QRandomGenerator::global()->bounded(int(sizeof(kLetters) - 1))];
    }
    return suffix;
}

QByteArray TemporaryName(const QByteArray& folder, const QByteArray& targetName) {
    return folder + "/." + NamePart(targetName) + "~tavi" + QByteArray::number(::getpid()) + '-' +
           RandomSuffix();
}

void SyncFolder(const QByteArray& folder) {
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

bool RunGone(qint64 pid) {
    return pid != ::getpid() && ::kill(pid_t(pid), 0) != 0 && errno == ESRCH;
}

}  // namespace

ReplacementFile::ReplacementFile(const QString& targetPath) {
    const QFileInfo info(targetPath);
    m_folder = QFile::encodeName(info.absolutePath());
    m_target = QFile::encodeName(info.absoluteFilePath());
    m_targetName = QFile::encodeName(info.fileName());
}

ReplacementFile::~ReplacementFile() {
    Discard();
}

QString ReplacementFile::TemporaryPath() const {
    return QFile::decodeName(m_tempName);
}

int ReplacementFile::Open() {
    m_fd = ::open(m_folder.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (m_fd >= 0) {
        m_unnamed = true;
    } else if (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL) {
        if (const int code = OpenNamed()) {
            return code;
        }
    } else {
        return errno;
    }
    AtomicFile::CopyModeOf(m_fd, m_target);
    return 0;
}

// File systems without unnamed files get a named one at once.
int ReplacementFile::OpenNamed() {
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray name = TemporaryName(m_folder, m_targetName);
        m_fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (m_fd >= 0) {
            m_tempName = name;
            return 0;
        }
        if (errno != EEXIST) {
            return errno;
        }
    }
    return EEXIST;
}

int ReplacementFile::Complete() {
    if (m_fd < 0) {
        return EBADF;
    }
    int code = ::fsync(m_fd) == 0 ? 0 : errno;
    if (code == 0 && m_unnamed) {
        code = GiveName();
    }
    if (::close(m_fd) != 0 && code == 0) {
        code = errno;
    }
    m_fd = -1;
    return code;
}

int ReplacementFile::GiveName() {
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(m_fd);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray name = TemporaryName(m_folder, m_targetName);
        if (::linkat(AT_FDCWD, self.constData(), AT_FDCWD, name.constData(), AT_SYMLINK_FOLLOW) ==
            0) {
            m_tempName = name;
            return 0;
        }
        if (errno != EEXIST) {
            return errno;
        }
    }
    return EEXIST;
}

int ReplacementFile::Replace() {
    if (m_tempName.isEmpty() || m_fd >= 0) {
        return EBADF;
    }
    if (::rename(m_tempName.constData(), m_target.constData()) != 0) {
        return errno;
    }
    m_tempName.clear();
    SyncFolder(m_folder);
    return 0;
}

void ReplacementFile::Discard() {
    if (m_fd >= 0) {
        ::close(m_fd);  // an unnamed file vanishes with it
        m_fd = -1;
    }
    if (!m_tempName.isEmpty()) {
        ::unlink(m_tempName.constData());
        m_tempName.clear();
    }
}

int ReplacementFile::SweepLeftovers(const QString& folder, const QString& targetName) {
    static const QRegularExpression leftover(QStringLiteral("^\\.(.*)~tavi(\\d+)-[A-Za-z0-9]{6}$"));
    const QString wanted = QFile::decodeName(NamePart(QFile::encodeName(targetName)));
    QDir dir(folder);
    int removed = 0;
    const auto names = dir.entryList({QStringLiteral(".*~tavi*")}, QDir::Files | QDir::Hidden);
    for (const QString& name : names) {
        const auto match = leftover.match(name);
        if (!match.hasMatch() || (!targetName.isEmpty() && match.captured(1) != wanted)) {
            continue;
        }
        if (RunGone(match.captured(2).toLongLong()) && dir.remove(name)) {
            ++removed;
        }
    }
    return removed;
}

}  // namespace tavi::fs
