#include "TrackTags.h"

#include "CMediaFile.h"

namespace tavi::formats {

TrackTags ReadTrackTags(const QString& path) {
    TrackTags tags;
    CMediaFile file(path);
    CMetaData* reader = file.GetMetaData();
    if (!reader) {
        return tags;
    }
    reader->GetTitle(tags.title);
    reader->GetArtist(tags.artist);
    reader->GetAlbum(tags.album);
    reader->GetGenre(tags.genre);
    reader->GetYear(tags.year);
    reader->GetTrackNumber(tags.trackNumber);
    double seconds = 0;
    if (reader->GetDuration(seconds) && seconds > 0) {
        tags.lengthSeconds = seconds;
    }
    return tags;
}

}  // namespace tavi::formats
