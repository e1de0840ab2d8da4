#include "Iconv.h"

#include <QSysInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace tavi::text {

namespace {

const char* hostUtf16() {
    return QSysInfo::ByteOrder == QSysInfo::LittleEndian ? "UTF-16LE" : "UTF-16BE";
}

// Runs iconv over the whole input, growing the output as needed. onInvalid is called with
// the remaining input when a sequence cannot be converted and must skip past it.
template <typename OnInvalid>
void convert(iconv_t handle, const char* in, size_t inLeft, QByteArray& out, OnInvalid onInvalid) {
    ::iconv(handle, nullptr, nullptr, nullptr, nullptr);
    qsizetype used = out.size();
    out.resize(used + static_cast<qsizetype>(inLeft) * 4 + 16);
    auto run = [&](char** input, size_t* inputLeft) {
        for (;;) {
            char* outPtr = out.data() + used;
            size_t outLeft = static_cast<size_t>(out.size() - used);
            const size_t result = ::iconv(handle, input, inputLeft, &outPtr, &outLeft);
            used = outPtr - out.data();
            if (result != static_cast<size_t>(-1)) {
                return 0;
            }
            if (errno != E2BIG) {
                return errno;
            }
            out.resize(out.size() * 2 + 16);
        }
    };
    char* input = const_cast<char*>(in);
    while (inLeft > 0) {
        const int error = run(&input, &inLeft);
        if (error == 0) {
            break;
        }
        onInvalid(input, inLeft, out, used);
        ::iconv(handle, nullptr, nullptr, nullptr, nullptr);
    }
    run(nullptr, nullptr);  // flushes a pending shift sequence
    out.resize(used);
}

}  // namespace

Iconv::Iconv(const char* encoding, Direction direction)
    : m_handle(direction == Decode ? ::iconv_open(hostUtf16(), encoding)
                                   : ::iconv_open(encoding, hostUtf16())) {
    if (!isValid()) {
        m_openError = errno;
    }
}

Iconv::~Iconv() {
    if (isValid()) {
        ::iconv_close(m_handle);
    }
}

QString Iconv::decode(QByteArrayView bytes) {
    if (!isValid() || bytes.isEmpty()) {
        return {};
    }
    QByteArray out;
    const char16_t replacement = 0xFFFD;
    convert(m_handle, bytes.data(), static_cast<size_t>(bytes.size()), out,
            [&](char*& input, size_t& left, QByteArray& buffer, qsizetype& used) {
                buffer.resize(std::max<qsizetype>(buffer.size(), used + 2));
                std::memcpy(buffer.data() + used, &replacement, 2);
                used += 2;
                ++input;
                --left;
            });
    return QString(reinterpret_cast<const QChar*>(out.constData()), out.size() / 2);
}

QByteArray Iconv::encode(QStringView text, char defaultChar) {
    if (!isValid() || text.isEmpty()) {
        return {};
    }
    QByteArray out;
    const char* begin = reinterpret_cast<const char*>(text.utf16());
    convert(
        m_handle, begin, static_cast<size_t>(text.size()) * 2, out,
        [&](char*& input, size_t& left, QByteArray& buffer, qsizetype& used) {
            // Skip one character: a surrogate pair counts as one.
            const auto unit = [&](size_t at) {
                char16_t value;
                std::memcpy(&value, input + at, 2);
                return value;
            };
            size_t skip = left >= 2 ? 2 : left;
            if (left >= 4 && QChar::isHighSurrogate(unit(0)) && QChar::isLowSurrogate(unit(2))) {
                skip = 4;
            }
            buffer.resize(std::max<qsizetype>(buffer.size(), used + 1));
            buffer[used++] = defaultChar;
            input += skip;
            left -= skip;
        });
    return out;
}

}  // namespace tavi::text
