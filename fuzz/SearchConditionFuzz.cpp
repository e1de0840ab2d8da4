// The conditions of a saved search come from files of anywhere: any XML must parse to a
// condition or to nothing, and a parsed one must evaluate without fault. The whole reader is
// not run here: a scope of "/" would walk the disk for every input.
#include "formats/SearchCondition.h"

#include <QXmlStreamReader>

#include <cstdint>

using tavi::formats::SearchCondition;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QXmlStreamReader xml(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    static const QFileInfo files[] = {QFileInfo(QStringLiteral("/music/a b/track 1.mp3")),
                                      QFileInfo(QStringLiteral("/tmp")), QFileInfo()};
    while (xml.readNextStartElement()) {
        if (xml.name() != QLatin1String("condition")) {
            continue;
        }
        if (const auto condition = SearchCondition::Parse(xml)) {
            for (const QFileInfo& file : files) {
                (void)condition->Matches(file);
            }
        }
    }
    return 0;
}
