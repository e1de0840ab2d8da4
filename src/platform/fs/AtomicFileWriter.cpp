#include "AtomicFileWriter.h"

#include "AtomicFile.h"
#include "ReplacementFile.h"

#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>

namespace tavi::fs {

AtomicFileWriter::AtomicFileWriter(QString path) : m_path(std::move(path)) {}

AtomicFileWriter::~AtomicFileWriter() {
    discard();
}

bool AtomicFileWriter::open(OpenMode mode) {
    if (m_file || !(mode & WriteOnly)) {
        return false;
    }
    AtomicFile::SweepLeftoversOf(m_path);
    auto file = std::make_unique<ReplacementFile>(m_path);
    m_osError = file->Open();
    if (m_osError != 0) {
        return false;
    }
    m_file = std::move(file);
    return QIODevice::open(WriteOnly | Unbuffered);
}

qint64 AtomicFileWriter::readData(char*, qint64) {
    return -1;
}

qint64 AtomicFileWriter::writeData(const char* data, qint64 size) {
    if (!m_file || m_file->fd() < 0 || m_osError != 0) {
        return -1;
    }
    qint64 left = size;
    while (left > 0) {
        const ssize_t written = ::write(m_file->fd(), data, static_cast<size_t>(left));
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
    if (!m_file || m_osError != 0) {
        discard();
        return false;
    }
    QIODevice::close();
    m_osError = m_file->Complete();
    if (m_osError != 0 || !AtomicFile::runBeforeRenameHook(m_file->TemporaryPath())) {
        discard();
        return false;
    }
    m_osError = m_file->Replace();
    discard();
    return m_osError == 0;
}

void AtomicFileWriter::discard() {
    if (isOpen()) {
        QIODevice::close();
    }
    m_file.reset();
}

}  // namespace tavi::fs
