#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <memory>

namespace tavi::text {

// The locale's 8-bit encoding, what file formats call "ANSI". UTF-8 locales, and the plain
// C locale of a process that never set one, use UTF-8; any other locale goes through iconv.
// Decoding never fails (invalid bytes become U+FFFD); encoding replaces characters the
// encoding cannot represent with '?'.
class LocaleText {
public:
    LocaleText();
    ~LocaleText();
    LocaleText(const LocaleText&) = delete;
    LocaleText& operator=(const LocaleText&) = delete;

    bool isUtf8() const { return m_isUtf8; }
    QString decode(QByteArrayView bytes);
    QByteArray encode(QStringView text);

private:
    bool m_isUtf8;
    class Converters;
    std::unique_ptr<Converters> m_converters;  // created on first non-UTF-8 use
    Converters& converters();
};

}  // namespace tavi::text
