#include "ReplayGainTags.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <taglib/fileref.h>
#include <taglib/mp4file.h>
#include <taglib/mp4tag.h>
#include <taglib/tpropertymap.h>

#include <cmath>

namespace tavi::formats {

namespace {

// R128 gains are relative to -23 LUFS, ReplayGain's to about -18: 5 dB apart.
constexpr double kR128ToReplayGainDb = 5.0;

QString FirstValue(const TagLib::PropertyMap& properties, const char* name) {
    const auto found = properties.find(TagLib::String(name));
    if (found == properties.end() || found->second.isEmpty()) {
        return {};
    }
    return QString::fromStdString(found->second.front().to8Bit(true));
}

// TagLib leaves MP4 freeform atoms it has no name for out of its property map; taggers write
// the gains as "----:com.apple.iTunes:replaygain_track_gain" and so on, in either case.
void AddFreeformAtoms(TagLib::File* file, TagLib::PropertyMap& properties) {
    auto* mp4 = dynamic_cast<TagLib::MP4::File*>(file);
    if (!mp4 || !mp4->tag()) {
        return;
    }
    static const TagLib::String kPrefix("----:COM.APPLE.ITUNES:");
    for (const auto& [key, item] : mp4->tag()->itemMap()) {
        const TagLib::String upper = key.upper();
        if (upper.startsWith(kPrefix) && !item.toStringList().isEmpty()) {
            const TagLib::String name = upper.substr(kPrefix.size());
            if (!properties.contains(name)) {
                properties.insert(name, item.toStringList());
            }
        }
    }
}

// Q7.8 fixed point, as Opus keeps its R128 gains.
std::optional<double> ParseR128(const QString& text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok || value < -32768 || value > 32767) {
        return std::nullopt;
    }
    return value / 256.0 + kR128ToReplayGainDb;
}

}  // namespace

std::optional<double> ParseGainText(const QString& text) {
    static const QRegularExpression pattern(
        QStringLiteral(R"(^\s*([+-]?(?:\d+\.?\d*|\.\d+))\s*(?:[dD][bB])?\s*$)"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    const double db = match.captured(1).toDouble();
    return std::isfinite(db) && std::abs(db) < 100.0 ? std::optional<double>(db) : std::nullopt;
}

std::optional<double> ParsePeakText(const QString& text) {
    bool ok = false;
    const double peak = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(peak) && peak > 0.0 ? std::optional<double>(peak) : std::nullopt;
}

ReplayGainTags ReadReplayGainTags(const QString& path) {
    ReplayGainTags tags;
    if (!QFileInfo(path).isFile()) {
        return tags;
    }
    const TagLib::FileRef file(QFile::encodeName(path).constData(), false);
    if (file.isNull()) {
        return tags;
    }
    TagLib::PropertyMap properties = file.file()->properties();
    AddFreeformAtoms(file.file(), properties);
    tags.trackGainDb = ParseGainText(FirstValue(properties, "REPLAYGAIN_TRACK_GAIN"));
    tags.trackPeak = ParsePeakText(FirstValue(properties, "REPLAYGAIN_TRACK_PEAK"));
    tags.albumGainDb = ParseGainText(FirstValue(properties, "REPLAYGAIN_ALBUM_GAIN"));
    tags.albumPeak = ParsePeakText(FirstValue(properties, "REPLAYGAIN_ALBUM_PEAK"));
    if (!tags.trackGainDb) {
        tags.trackGainDb = ParseR128(FirstValue(properties, "R128_TRACK_GAIN"));
    }
    if (!tags.albumGainDb) {
        tags.albumGainDb = ParseR128(FirstValue(properties, "R128_ALBUM_GAIN"));
    }
    tags.album = FirstValue(properties, "ALBUM");
    return tags;
}

}  // namespace tavi::formats
