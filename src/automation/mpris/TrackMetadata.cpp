#include "TrackMetadata.h"

#include "platform/fs/MediaLocation.h"

#include <cmath>

namespace tavi::automation {

namespace {
constexpr double kMicroseconds = 1e6;
}

QVariantMap BasicTrackMetadata(const QDBusObjectPath& id, const QString& path,
                               const QString& title) {
    return {
        {QStringLiteral("mpris:trackid"), QVariant::fromValue(id)},
        {QStringLiteral("xesam:title"), title},
        {QStringLiteral("xesam:url"), QString::fromUtf8(fs::MediaUri(path))},
    };
}

void AddTrackTags(const formats::TrackTags& tags, QVariantMap& metadata) {
    if (!tags.artist.isEmpty()) {
        metadata.insert(QStringLiteral("xesam:artist"), QStringList{tags.artist});
    }
    if (!tags.album.isEmpty()) {
        metadata.insert(QStringLiteral("xesam:album"), tags.album);
    }
    if (!tags.genre.isEmpty()) {
        metadata.insert(QStringLiteral("xesam:genre"), QStringList{tags.genre});
    }
    if (!tags.year.isEmpty()) {
        metadata.insert(QStringLiteral("xesam:contentCreated"), tags.year);
    }
    if (tags.trackNumber > 0) {
        metadata.insert(QStringLiteral("xesam:trackNumber"), tags.trackNumber);
    }
}

void AddTrackLength(std::optional<double> seconds, QVariantMap& metadata) {
    if (seconds && *seconds > 0) {
        metadata.insert(QStringLiteral("mpris:length"),
                        qlonglong(std::llround(*seconds * kMicroseconds)));
    }
}

void AddArtUrl(const QString& url, QVariantMap& metadata) {
    if (!url.isEmpty()) {
        metadata.insert(QStringLiteral("mpris:artUrl"), url);
    }
}

}  // namespace tavi::automation
