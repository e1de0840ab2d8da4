#include "FileAccess.h"

#include "platform/errors/CFileException.h"
#include "platform/fs/AtomicFileWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>

namespace tavi::formats {

using errors::CFileException;

std::unique_ptr<QFile> OpenForReading(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        throw CFileException::FromErrno(errno, path);
    }
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
        ::close(fd);
        throw CFileException::FromErrno(EISDIR, path);
    }
    auto file = std::make_unique<QFile>(path);
    if (!file->open(fd, QIODevice::ReadOnly | QIODevice::Unbuffered,
                    QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        throw CFileException::FromFileError(file->error(), path);
    }
    return file;
}

void WriteAtomically(const QString& path, const std::function<void(QIODevice&)>& write) {
    fs::AtomicFileWriter writer(path);
    if (!writer.open()) {
        throw CFileException::FromErrno(writer.osError(), path);
    }
    write(writer);  // the writer's destructor removes the temporary file if this throws
    if (!writer.commit()) {
        throw writer.osError() ? CFileException::FromErrno(writer.osError(), path)
                               : CFileException(CFileException::genericException, path);
    }
}

}  // namespace tavi::formats
