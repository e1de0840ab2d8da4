// Any bytes parse as an INI document; writing it out and reading that again must give the
// same bytes and the same values, and setting a value must make it readable as set.
#include "platform/inifile/IniDocument.h"
#include "platform/inifile/IniFile.h"

#include <cstdint>
#include <cstdlib>

using tavi::ini::IniDocument;
using tavi::ini::IniFile;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    IniDocument document = IniDocument::parse(bytes);
    const QByteArray written = document.serialize();
    const IniDocument reread = IniDocument::parse(written);
    if (reread.serialize() != written) {
        std::abort();
    }
    for (const QString& section : document.sectionNames()) {
        for (const QString& key : document.keyNames(section)) {
            const auto value = document.value(section, key);
            if (!value || reread.value(section, key) != value) {
                std::abort();
            }
            IniFile::ParseInt(*value, 0);
        }
    }
    const QString section = QStringLiteral("playlist");
    const QString key = QStringLiteral("NextIndex");
    document.setValue(section, key, QStringLiteral("7"));
    if (IniDocument::parse(document.serialize()).value(section, key) != QStringLiteral("7")) {
        std::abort();
    }
    return 0;
}
