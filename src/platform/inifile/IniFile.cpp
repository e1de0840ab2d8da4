#include "IniFile.h"

#include "platform/errors/CFileException.h"
#include "platform/fs/AtomicFileWriter.h"

#include <QFile>

#include <fcntl.h>
#include <unistd.h>
#include <cerrno>

namespace tavi::ini {

namespace {

// Reads the whole file; a missing file is empty. Returns errno of any other failure.
int readAll(const QString& path, QByteArray& bytes) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return errno == ENOENT ? 0 : errno;
    }
    char chunk[32768];
    int error = 0;
    for (;;) {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            error = errno;
            break;
        }
        if (got == 0) {
            break;
        }
        bytes.append(chunk, got);
    }
    ::close(fd);
    return error;
}

int digitOf(QChar c) {
    const char16_t unit = c.unicode();
    if (unit >= u'0' && unit <= u'9') {
        return unit - u'0';
    }
    if (unit >= u'a' && unit <= u'f') {
        return unit - u'a' + 10;
    }
    if (unit >= u'A' && unit <= u'F') {
        return unit - u'A' + 10;
    }
    return 99;  // ends any number
}

}  // namespace

IniFile::IniFile(QString path, Start start) : m_path(std::move(path)) {
    if (start == Start::Load) {
        QByteArray bytes;
        m_readError = readAll(m_path, bytes);
        if (m_readError == 0) {
            m_document = IniDocument::parse(bytes);
        }
    }
}

int IniFile::ParseInt(const QString& text, int defaultValue) {
    const QString value = text.trimmed();
    if (value.isEmpty()) {
        return defaultValue;
    }
    qsizetype at = 0;
    bool negative = false;
    if (value[at] == u'-' || value[at] == u'+') {
        negative = value[at++] == u'-';
    }
    int base = 10;
    if (value.mid(at, 2).compare(QLatin1String("0x"), Qt::CaseInsensitive) == 0) {
        base = 16;
        at += 2;
    }
    quint32 result = 0;  // wraps like the system's conversion instead of overflowing
    for (; at < value.size(); ++at) {
        const int digit = digitOf(value[at]);
        if (digit >= base) {
            break;
        }
        result = result * static_cast<quint32>(base) + static_cast<quint32>(digit);
    }
    return static_cast<int>(negative ? 0u - result : result);
}

QString IniFile::ReadString(const QString& key, const QString& defaultValue) const {
    const auto value = m_document.value(m_section, key);
    return (value ? *value : defaultValue).left(kReadBufferChars - 1);
}

int IniFile::ReadInt(const QString& key, int defaultValue) const {
    const auto value = m_document.value(m_section, key);
    return value ? ParseInt(value->left(kReadBufferChars - 1), defaultValue) : defaultValue;
}

void IniFile::WriteString(const QString& key, const QString& value) {
    m_document.setValue(m_section, key, value);
    m_modified = true;
}

void IniFile::WriteInt(const QString& key, int value) {
    WriteString(key, QString::number(value));
}

void IniFile::Flush() {
    using errors::CFileException;
    if (!m_modified) {
        return;
    }
    if (m_readError != 0) {
        throw CFileException::FromErrno(m_readError, m_path);
    }
    fs::AtomicFileWriter writer(m_path);
    const QByteArray bytes = m_document.serialize();
    if (!writer.open() || writer.write(bytes) != bytes.size() || !writer.commit()) {
        throw writer.osError() ? CFileException::FromErrno(writer.osError(), m_path)
                               : CFileException(CFileException::genericException, m_path);
    }
    m_modified = false;
}

}  // namespace tavi::ini
