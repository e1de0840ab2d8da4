#pragma once

#include "formats/metadata/TrackTags.h"

#include <QDBusObjectPath>
#include <QVariantMap>

#include <optional>

namespace tavi::automation {

// The MPRIS metadata map of a track, shared by the Player's Metadata and the TrackList.
// The basic fields need no file access; tags, length and cover are added by the caller that
// has read them.
QVariantMap BasicTrackMetadata(const QDBusObjectPath& id, const QString& path,
                               const QString& title);
// xesam's fields for the tags a file has; lists where the MPRIS metadata wants lists.
void AddTrackTags(const formats::TrackTags& tags, QVariantMap& metadata);
// A length that is not known is left out: MPRIS clients read a missing one as unknown.
void AddTrackLength(std::optional<double> seconds, QVariantMap& metadata);
void AddArtUrl(const QString& url, QVariantMap& metadata);

}  // namespace tavi::automation
