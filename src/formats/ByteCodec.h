#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <memory>

namespace tavi::text {
class Iconv;
class LocaleText;
}  // namespace tavi::text

namespace tavi::formats {

// Converts the text of one line between QString and a byte-oriented code page: 0 (the
// locale's encoding), 65001 (UTF-8), 65000 (UTF-7) or any other number n that the system
// knows as "CPn". Decoding never fails (invalid bytes become U+FFFD); encoding turns
// characters the code page lacks into '?'. UTF-16 is not a byte code page: CTextArchive
// handles it by units.
class ByteCodec {
public:
    // Throws CWin32Exception when the system has no conversion for the code page.
    explicit ByteCodec(int codePage);
    ~ByteCodec();
    ByteCodec(const ByteCodec&) = delete;
    ByteCodec& operator=(const ByteCodec&) = delete;

    int codePage() const { return m_codePage; }
    QString decode(QByteArrayView bytes);
    QByteArray encode(QStringView text);

private:
    int m_codePage;
    std::unique_ptr<text::LocaleText> m_locale;  // code page 0
    std::unique_ptr<text::Iconv> m_decoder;      // code pages other than 0 and UTF-8
    std::unique_ptr<text::Iconv> m_encoder;
};

}  // namespace tavi::formats
