#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <iconv.h>

namespace tavi::text {

// One glibc iconv conversion between a named 8-bit or multi-byte encoding and QString.
// Neither direction ever fails on content: bytes that are invalid in the encoding decode as
// U+FFFD, and characters it cannot represent encode as the default character. Each call is
// self-contained (the shift state starts fresh and is flushed at the end), which suits
// stateful encodings such as UTF-7 when text is converted line by line.
class Iconv {
public:
    enum Direction { Decode, Encode };

    Iconv(const char* encoding, Direction direction);
    ~Iconv();
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;

    // False when the system does not know the encoding; errno of iconv_open in openError().
    bool isValid() const { return m_handle != reinterpret_cast<iconv_t>(-1); }
    int openError() const { return m_openError; }

    QString decode(QByteArrayView bytes);
    QByteArray encode(QStringView text, char defaultChar = '?');

private:
    iconv_t m_handle;
    int m_openError = 0;
};

}  // namespace tavi::text
