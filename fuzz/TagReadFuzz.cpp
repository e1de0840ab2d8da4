// Any bytes, taken as a tagged media file of one of the kinds TagLib reads for us (the first
// byte picks the kind): reading gives no tag over the length limit, a track number that is
// positive or absent, and a length that is finite and positive or absent; loudness gains are
// finite and under 100 dB, peaks finite and positive, or absent.
#include "formats/metadata/ReplayGainTags.h"
#include "formats/metadata/TrackTags.h"

#include <QDir>
#include <QFile>

#include <unistd.h>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>

namespace {

constexpr const char* kKinds[] = {".flac", ".ogg", ".oga", ".opus", ".m4a", ".m4b", ".mp4",
                                  ".m4v",  ".aac", ".wv",  ".ape",  ".mpc", ".mp3", ".wma"};

void Check(bool ok) {
    if (!ok) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    const char* kind = kKinds[data[0] % (sizeof(kKinds) / sizeof(kKinds[0]))];
    const QString path =
        QDir::tempPath() +
        QStringLiteral("/tavi-fuzz-tags-%1%2").arg(::getpid()).arg(QLatin1String(kind));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return 0;
    }
    file.write(reinterpret_cast<const char*>(data) + 1, qint64(size) - 1);
    file.close();
    const tavi::formats::TrackTags tags = tavi::formats::ReadTrackTags(path);
    for (const QString* text : {&tags.title, &tags.artist, &tags.album, &tags.genre, &tags.year}) {
        Check(text->size() <= 511);
    }
    Check(tags.trackNumber >= 0);
    Check(!tags.lengthSeconds || (std::isfinite(*tags.lengthSeconds) && *tags.lengthSeconds > 0));
    const tavi::formats::ReplayGainTags gains = tavi::formats::ReadReplayGainTags(path);
    for (const std::optional<double>& gain : {gains.trackGainDb, gains.albumGainDb}) {
        Check(!gain || (std::isfinite(*gain) && std::abs(*gain) < 200.0));
    }
    for (const std::optional<double>& peak : {gains.trackPeak, gains.albumPeak}) {
        Check(!peak || (std::isfinite(*peak) && *peak > 0.0));
    }
    QFile::remove(path);
    return 0;
}
