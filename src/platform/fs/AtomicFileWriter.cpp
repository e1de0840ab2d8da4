#include "AtomicFileWriter.h"

#include "AtomicFile.h"

#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>

namespace tavi::fs {

namespace {

void syncFolder(const QByteArray& folder) {
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

}  // namespace

AtomicFileWriter::AtomicFileWriter(QString path) : m_path(std::move(path)) {}

AtomicFileWriter::~AtomicFileWriter() {
    discard();
}

bool AtomicFileWriter::open(OpenMode mode) {
    if (m_fd >= 0 || !(mode & WriteOnly)) {
        return false;
    }
    const QFileInfo info(m_path);
    m_tempName = QFile::encodeName(info.absolutePath() + QLatin1String("/.") + info.fileName() +
                                   QLatin1String(".XXXXXX"));
    m_fd = ::mkostemp(m_tempName.data(), O_CLOEXEC);
    if (m_fd < 0) {
        m_osError = errno;
        m_tempName.clear();
        return false;
    }
    AtomicFile::CopyModeOf(m_fd, QFile::encodeName(info.absoluteFilePath()));
    m_osError = 0;
    return QIODevice::open(WriteOnly | Unbuffered);
}

qint64 AtomicFileWriter::readData(char*, qint64) {
    return -1;
}

qint64 AtomicFileWriter::writeData(const char* data, qint64 size) {
    if (m_fd < 0 || m_osError != 0) {
        return -1;
    }
    qint64 left = size;
    while (left > 0) {
        const ssize_t written = ::write(m_fd, data, static_cast<size_t>(left));
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            m_osError = errno;
            return -1;
        }
        data += written;
        left -= written;
    }
    return size;
}

bool AtomicFileWriter::commit() {
    if (m_fd < 0 || m_osError != 0) {
        discard();
        return false;
    }
    const int fd = m_fd;
    m_fd = -1;
    QIODevice::close();
    if (::fsync(fd) != 0) {
        m_osError = errno;
    }
    if (::close(fd) != 0 && m_osError == 0) {
        m_osError = errno;
    }
    const QString tempPath = QFile::decodeName(m_tempName);
    if (m_osError != 0 || !AtomicFile::runBeforeRenameHook(tempPath)) {
        discard();
        return false;
    }
    const QFileInfo info(m_path);
    if (::rename(m_tempName.constData(), QFile::encodeName(info.absoluteFilePath())) != 0) {
        m_osError = errno;
        discard();
        return false;
    }
    m_tempName.clear();
    syncFolder(QFile::encodeName(info.absolutePath()));
    return true;
}

void AtomicFileWriter::discard() {
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (isOpen()) {
        QIODevice::close();
    }
    if (!m_tempName.isEmpty()) {
        ::unlink(m_tempName.constData());
        m_tempName.clear();
    }
}

}  // namespace tavi::fs
