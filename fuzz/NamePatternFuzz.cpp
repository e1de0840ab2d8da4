// The display-name pattern is the user's text and the tag values come from files: any of
// them must expand without fault, and a pattern without macros stays as it is.
#include "formats/metadata/CMediaFile.h"

#include <QStringList>

#include <cstdint>
#include <cstdlib>

using tavi::formats::CMediaFile;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString input = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const QStringList parts = input.split(u'\n');
    const QString& pattern = parts.first();
    CMediaFile::TagValues values;
    QString* fields[] = {&values.artist, &values.title, &values.album,
                         &values.year,   &values.genre, &values.overlap};
    for (qsizetype i = 1; i < parts.size() && i <= qsizetype(std::size(fields)); ++i) {
        *fields[i - 1] = parts[i].left(256);
    }
    const QString name = CMediaFile::ExpandPattern(pattern, values);
    if (!pattern.contains(QLatin1String("$(")) && name != pattern) {
        std::abort();
    }
    return 0;
}
