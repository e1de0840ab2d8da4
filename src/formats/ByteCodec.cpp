#include "ByteCodec.h"

#include "CodePage.h"
#include "platform/errors/CWin32Exception.h"
#include "platform/text/Iconv.h"
#include "platform/text/LocaleText.h"

namespace tavi::formats {

namespace {

QByteArray iconvName(int codePage) {
    return codePage == CodePage::kUtf7 ? QByteArray("UTF-7") : "CP" + QByteArray::number(codePage);
}

}  // namespace

ByteCodec::ByteCodec(int codePage) : m_codePage(codePage) {
    if (codePage == CodePage::kAnsi) {
        m_locale = std::make_unique<text::LocaleText>();
    } else if (codePage != CodePage::kUtf8) {
        const QByteArray name = iconvName(codePage);
        m_decoder = std::make_unique<text::Iconv>(name.constData(), text::Iconv::Decode);
        m_encoder = std::make_unique<text::Iconv>(name.constData(), text::Iconv::Encode);
        if (!m_decoder->isValid() || !m_encoder->isValid()) {
            throw errors::CWin32Exception(m_decoder->isValid() ? m_encoder->openError()
                                                               : m_decoder->openError());
        }
    }
}

ByteCodec::~ByteCodec() = default;

QString ByteCodec::decode(QByteArrayView bytes) {
    if (m_locale) {
        return m_locale->decode(bytes);
    }
    return m_decoder ? m_decoder->decode(bytes) : QString::fromUtf8(bytes);
}

QByteArray ByteCodec::encode(QStringView text) {
    if (m_locale) {
        return m_locale->encode(text);
    }
    return m_encoder ? m_encoder->encode(text) : text.toUtf8();
}

}  // namespace tavi::formats
