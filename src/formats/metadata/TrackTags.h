#pragma once

#include <QString>

#include <optional>

namespace tavi::formats {

// What a media player's desktop controls show of a track besides its name. Each field is
// empty (or absent) when the file has no such tag.
struct TrackTags {
    QString title;
    QString artist;
    QString album;
    QString genre;
    QString year;
    int trackNumber = 0;                  // 0: none
    std::optional<double> lengthSeconds;  // from the file's header, not by decoding
};

// Reads the tags of a regular local file of a kind with tags; nothing for streams, other
// kinds and files that cannot be read. Opens the file: not for painting.
TrackTags ReadTrackTags(const QString& path);

}  // namespace tavi::formats
