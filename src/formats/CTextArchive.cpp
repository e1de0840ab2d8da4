#include "CTextArchive.h"

#include "CodePage.h"
#include "platform/errors/CFileException.h"
#include "platform/fs/AtomicFileWriter.h"

#include <QFileDevice>

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace tavi::formats {

namespace {

constexpr char16_t kCr = 13;
constexpr char16_t kLf = 10;

// Bytes that stop the scan of a byte line: the two terminators and the dropped zero.
constexpr char kStopBytes[3] = {'\r', '\n', '\0'};

char16_t unitAt(const char* bytes, bool bigEndian) {
    const auto* b = reinterpret_cast<const unsigned char*>(bytes);
    return bigEndian ? char16_t(b[0] << 8 | b[1]) : char16_t(b[1] << 8 | b[0]);
}

}  // namespace

CTextArchive::CTextArchive(QIODevice& device, Mode mode, QString fileName)
    : m_device(device),
      m_mode(mode),
      m_fileName(std::move(fileName)),
      m_buffer(new char[kBufferSize]) {
    if (m_fileName.isEmpty()) {
        if (const auto* file = qobject_cast<QFileDevice*>(&device)) {
            m_fileName = file->fileName();
        }
    }
    if (mode == Read) {
        Fill();
        DetectMark();
        DetectLineEnd();
    }
}

CTextArchive::~CTextArchive() = default;

void CTextArchive::ThrowDeviceError() const {
    using errors::CFileException;
    if (const auto* writer = dynamic_cast<const fs::AtomicFileWriter*>(&m_device)) {
        if (writer->osError() != 0) {
            throw CFileException::FromErrno(writer->osError(), m_fileName);
        }
    }
    if (const auto* file = qobject_cast<const QFileDevice*>(&m_device)) {
        throw CFileException::FromFileError(file->error(), m_fileName);
    }
    throw CFileException(CFileException::hardIO, m_fileName);
}

// Moves what is left (less than one unit) to the front and reads more behind it. False when
// the device has nothing more.
bool CTextArchive::Fill() {
    const qsizetype keep = m_valid - m_pos;
    std::memmove(m_buffer.get(), m_buffer.get() + m_pos, static_cast<size_t>(keep));
    m_pos = 0;
    m_valid = keep;
    const qint64 got = m_device.read(m_buffer.get() + keep, kBufferSize - keep);
    if (got < 0) {
        ThrowDeviceError();
    }
    m_valid += got;
    std::fill(std::begin(m_nextStop), std::end(m_nextStop), -1);
    return got > 0;
}

void CTextArchive::DetectMark() {
    const QByteArrayView data(m_buffer.get(), m_valid);
    for (const ByteOrderMark& mark : kByteOrderMarks) {
        if (data.startsWith(mark.bytes)) {
            m_codePage = mark.codePage;
            m_hasMark = true;
            m_pos = mark.bytes.size();
            return;
        }
    }
}

// Only the first buffer counts: the first LF before any CR means Lf; the first CR means
// CrLf when an LF follows it and Cr otherwise; neither means CrLf.
void CTextArchive::DetectLineEnd() {
    const bool wide = CodePage::IsUtf16(m_codePage);
    const bool bigEndian = m_codePage == CodePage::kUtf16Be;
    const qsizetype step = wide ? 2 : 1;
    auto unit = [&](qsizetype at) {
        return wide ? unitAt(m_buffer.get() + at, bigEndian)
                    : char16_t(static_cast<unsigned char>(m_buffer[at]));
    };
    for (qsizetype at = m_pos; at + step <= m_valid; at += step) {
        const char16_t value = unit(at);
        if (value == kLf) {
            m_lineEnd = Lf;
            return;
        }
        if (value == kCr) {
            const bool lfFollows = at + 2 * step <= m_valid && unit(at + step) == kLf;
            m_lineEnd = lfFollows ? CrLf : Cr;
            return;
        }
    }
    m_lineEnd = CrLf;
}

bool CTextArchive::ReadLine(QString& text) {
    if (m_mode != Read || m_endOfData) {
        return false;
    }
    return CodePage::IsUtf16(m_codePage) ? ReadUnitLine(text) : ReadByteLine(text);
}

bool CTextArchive::ReadByteLine(QString& text) {
    if (!m_codec) {
        m_codec = std::make_unique<ByteCodec>(m_codePage);
    }
    m_lineBytes.clear();
    for (;;) {
        if (m_pos >= m_valid && !Fill()) {
            m_endOfData = true;
            text = DecodeBytes(QByteArrayView(m_lineBytes.data(), qsizetype(m_lineBytes.size())));
            return true;
        }
        const auto* start = reinterpret_cast<const unsigned char*>(m_buffer.get()) + m_pos;
        const auto* end = reinterpret_cast<const unsigned char*>(m_buffer.get()) + m_valid;
        const auto* stop = reinterpret_cast<const unsigned char*>(m_buffer.get()) + NextStop();
        const auto length = static_cast<qsizetype>(stop - start);
        m_pos += length;
        if (stop == end || *stop == 0) {
            m_lineBytes.append(reinterpret_cast<const char*>(start), static_cast<size_t>(length));
            m_pos += stop == end ? 0 : 1;  // a zero byte is dropped
            continue;
        }
        const bool isCr = *stop == kCr;
        ++m_pos;
        // Decode before SkipLfAfterCr: a refill there would overwrite the bytes.
        if (m_lineBytes.empty()) {
            text = DecodeBytes(QByteArrayView(reinterpret_cast<const char*>(start), length));
        } else {
            m_lineBytes.append(reinterpret_cast<const char*>(start), static_cast<size_t>(length));
            text = DecodeBytes(QByteArrayView(m_lineBytes.data(), qsizetype(m_lineBytes.size())));
        }
        if (isCr && m_lineEnd == CrLf) {
            SkipLfAfterCr();
        }
        return true;
    }
}

// Zero characters are dropped from every line, as zero bytes and units are: UTF-7 can
// spell one ("+AAA-") without a zero byte.
QString CTextArchive::DecodeBytes(QByteArrayView bytes) {
    QString text = m_codec->decode(bytes);
    if (m_codePage == CodePage::kUtf7) {
        text.remove(QChar(0));
    }
    return text;
}

// The buffer position of the first CR, LF or zero byte at or after m_pos; m_valid if none.
qsizetype CTextArchive::NextStop() {
    qsizetype nearest = m_valid;
    for (int kind = 0; kind < 3; ++kind) {
        qsizetype& next = m_nextStop[kind];
        if (next < m_pos) {
            const void* found = std::memchr(m_buffer.get() + m_pos, kStopBytes[kind],
                                            static_cast<size_t>(m_valid - m_pos));
            next = found ? static_cast<const char*>(found) - m_buffer.get() : m_valid;
        }
        nearest = std::min(nearest, next);
    }
    return nearest;
}

bool CTextArchive::NextUnit(char16_t& unit) {
    if (m_valid - m_pos < 2 && (!Fill() || m_valid - m_pos < 2)) {
        return false;
    }
    unit = unitAt(m_buffer.get() + m_pos, m_codePage == CodePage::kUtf16Be);
    m_pos += 2;
    return true;
}

bool CTextArchive::ReadUnitLine(QString& text) {
    m_lineUnits.clear();
    char16_t unit = 0;
    for (;;) {
        if (!NextUnit(unit)) {
            if (m_pos < m_valid) {
                m_lineUnits.push_back(
                    char16_t(QChar::ReplacementCharacter));  // half a unit at the end
                m_pos = m_valid;
            }
            m_endOfData = true;
            break;
        }
        if (unit == kCr || unit == kLf) {
            if (unit == kCr && m_lineEnd == CrLf) {
                SkipLfAfterCr();
            }
            break;
        }
        if (unit != 0) {
            m_lineUnits.push_back(unit);
        }
    }
    text = QString::fromUtf16(m_lineUnits.data(), qsizetype(m_lineUnits.size()));
    return true;
}

// In a CrLf file the LF after a CR is part of the terminator. Anything else after a CR is
// kept: it is the start of the next line, not a terminator to throw away.
void CTextArchive::SkipLfAfterCr() {
    const bool wide = CodePage::IsUtf16(m_codePage);
    const qsizetype step = wide ? 2 : 1;
    if (m_valid - m_pos < step && (!Fill() || m_valid - m_pos < step)) {
        return;
    }
    const char16_t next = wide ? unitAt(m_buffer.get() + m_pos, m_codePage == CodePage::kUtf16Be)
                               : char16_t(static_cast<unsigned char>(m_buffer[m_pos]));
    if (next == kLf) {
        m_pos += step;
    }
}

void CTextArchive::SetEncoding(int codePage) {
    if (m_mode != Write || m_written) {
        throw std::logic_error("CTextArchive::SetEncoding: write mode, before the first line");
    }
    if (!CodePage::IsUtf16(codePage)) {
        m_codec = std::make_unique<ByteCodec>(codePage);  // throws for an unknown code page
    }
    m_codePage = codePage;
    const QByteArrayView mark = MarkOf(codePage);
    m_hasMark = !mark.isEmpty();
    Append(mark.data(), mark.size());
}

void CTextArchive::WriteLine(QStringView text) {
    if (m_mode != Write) {
        throw std::logic_error("CTextArchive::WriteLine: read-mode archive");
    }
    if (CodePage::IsUtf16(m_codePage)) {
        const bool bigEndian = m_codePage == CodePage::kUtf16Be;
        auto put = [&](char16_t unit) {
            const char bytes[2] = {char(bigEndian ? unit >> 8 : unit & 0xFF),
                                   char(bigEndian ? unit & 0xFF : unit >> 8)};
            Append(bytes, 2);
        };
        for (const QChar c : text) {
            put(c.unicode());
        }
        put(kCr);
        put(kLf);
    } else {
        if (!m_codec) {
            m_codec = std::make_unique<ByteCodec>(m_codePage);
        }
        if (!text.isEmpty()) {
            const QByteArray bytes = m_codec->encode(text);
            Append(bytes.constData(), bytes.size());
        }
        Append("\r\n", 2);
    }
    m_written = true;
}

void CTextArchive::Append(const char* bytes, qsizetype size) {
    while (size > 0) {
        if (m_valid == kBufferSize) {
            FlushBuffer();
        }
        const qsizetype part = std::min(size, kBufferSize - m_valid);
        std::memcpy(m_buffer.get() + m_valid, bytes, static_cast<size_t>(part));
        m_valid += part;
        bytes += part;
        size -= part;
    }
    m_written = m_written || m_valid > 0;
}

void CTextArchive::FlushBuffer() {
    if (m_valid > 0 && m_device.write(m_buffer.get(), m_valid) != m_valid) {
        ThrowDeviceError();
    }
    m_valid = 0;
}

void CTextArchive::Close() {
    if (m_mode == Write) {
        FlushBuffer();
    }
}

}  // namespace tavi::formats
