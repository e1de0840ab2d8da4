// Any bytes, read as a CUE sheet or as a FLAC file's metadata, give only tracks that can be
// played: numbers 1..99 given once, absolute files, ranges that end after they start.
#include "formats/CTextArchive.h"
#include "formats/CueSheet.h"
#include "formats/FlacCueSheet.h"

#include <QBuffer>
#include <QSet>

#include <cstdint>
#include <cstdlib>

using namespace tavi::formats;

namespace {

void check(const CueSheet& sheet, const QString& onlyFile) {
    QSet<int> numbers;
    for (const CueTrack& track : sheet.tracks) {
        const bool bad = track.number < 1 || track.number > 99 || numbers.contains(track.number) ||
                         !track.file.startsWith(u'/') || track.start < 0 ||
                         (track.end && *track.end <= track.start) ||
                         (!onlyFile.isEmpty() && track.file != onlyFile);
        if (bad) {
            std::abort();
        }
        numbers.insert(track.number);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QBuffer input;
    input.setData(bytes);
    input.open(QIODevice::ReadOnly);
    QStringList lines;
    {
        CTextArchive archive(input, CTextArchive::Read, QStringLiteral("fuzz.cue"));
        QString line;
        while (archive.ReadLine(line)) {
            lines.append(line);
        }
    }
    check(ParseCueSheet(lines, QStringLiteral("/fuzz")), {});

    QBuffer flac;
    flac.setData(bytes);
    flac.open(QIODevice::ReadOnly);
    if (const std::optional<QString> text = FlacCueSheetTextFrom(flac)) {
        const QString self = QStringLiteral("/fuzz/a.flac");
        check(ParseCueSheetText(*text, QStringLiteral("/fuzz"), self), self);
    }
    return 0;
}
