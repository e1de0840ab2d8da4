#pragma once

#include <QString>

#include <functional>

namespace tavi::playlist {

// The name an entry is shown, sorted and announced by:
//   ".PAUSE", ".LIVE", ".RECORD": the file title (a number of seconds) and " sec.";
//   ".CDA": the CD database's title of the track numbered by the last two characters of
//           the file title (the file title itself when that number is 0);
//   ".JINGLE": the name of the media file the jingle was made from;
//   anything else: the media file's display name.
QString GetDisplayName(const QString& path);

// The track number a ".cda" entry's file title ends in ("Track07" -> 7); 0 when the last
// two characters are not a decimal number or the title is shorter than two characters.
int CdTrackNumberOf(const QString& path);

// Seams for the parts that other libraries fill in later. Each is called on the UI thread
// and must not touch the playlist. An unset or empty-returning hook falls back to the
// file title. Setting a hook does not repaint: call PlaylistModel::invalidateDisplayNames().
struct DisplayNameHooks {
    // A media file's name from its tags ("UseMetaData", "DisplayNameFormat").
    std::function<QString(const QString& path)> mediaFileName;
    // The title of track (1-based) of the CD in the drive, from the CD database.
    std::function<QString(int trackNumber)> cdTrackTitle;
};
DisplayNameHooks& displayNameHooks();

}  // namespace tavi::playlist
