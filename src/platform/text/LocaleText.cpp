#include "LocaleText.h"

#include "Iconv.h"

#include <langinfo.h>

#include <cstring>
#include <memory>

namespace tavi::text {

namespace {

bool codesetIsUtf8(const char* codeset) {
    // ANSI_X3.4-1968 is glibc's name for the C locale's ASCII; treating it as UTF-8 is what
    // Qt does too and keeps a process without setlocale() from mangling non-ASCII text.
    return !codeset || !*codeset || std::strcmp(codeset, "UTF-8") == 0 ||
           std::strcmp(codeset, "utf8") == 0 || std::strcmp(codeset, "ANSI_X3.4-1968") == 0;
}

}  // namespace

class LocaleText::Converters {
public:
    explicit Converters(const char* codeset)
        : decoder(codeset, Iconv::Decode), encoder(codeset, Iconv::Encode) {}
    Iconv decoder;
    Iconv encoder;
};

LocaleText::LocaleText() : m_isUtf8(codesetIsUtf8(::nl_langinfo(CODESET))) {}

LocaleText::~LocaleText() = default;

LocaleText::Converters& LocaleText::converters() {
    if (!m_converters) {
        m_converters = std::make_unique<Converters>(::nl_langinfo(CODESET));
    }
    return *m_converters;
}

QString LocaleText::decode(QByteArrayView bytes) {
    if (!m_isUtf8) {
        if (converters().decoder.isValid()) {
            return converters().decoder.decode(bytes);
        }
    }
    return QString::fromUtf8(bytes);
}

QByteArray LocaleText::encode(QStringView text) {
    if (!m_isUtf8) {
        if (converters().encoder.isValid()) {
            return converters().encoder.encode(text);
        }
    }
    return text.toUtf8();
}

}  // namespace tavi::text
