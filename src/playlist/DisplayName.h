#pragma once

#include "formats/metadata/CMediaFile.h"

#include <QString>

#include <functional>

namespace tavi::playlist {

// The name an entry is shown, sorted and announced by:
//   ".PAUSE", ".LIVE", ".RECORD": the file title (a number of seconds) and " sec.";
//   ".CDA": the CD database's title of the track numbered by the last two characters of
//           the file title (the file title itself when that number is 0);
//   ".JINGLE": the name of the media file the jingle was made from;
//   ".CUETRACK": the pattern filled from the CUE sheet, whether "UseMetaData" is on or not;
//   anything else: the media file's display name.
// With the settings now; UI thread only.
QString GetDisplayName(const QString& path);

using NameOptions = formats::CMediaFile::NameOptions;
// The same with the given settings; UI thread only (the CD hook may be called).
QString GetDisplayName(const QString& path, const NameOptions& options);
// Whether the name needs the file itself (its tags): media files and jingles with
// "UseMetaData" on, and the tracks of CUE sheets. The other names touch no file and are cheap.
bool DisplayNameReadsFile(const QString& path, const NameOptions& options);

// The track number a ".cda" entry's file title ends in ("Track07" -> 7); 0 when the last
// two characters are not a decimal number or the title is shorter than two characters.
int CdTrackNumberOf(const QString& path);

// Seams for the parts that other libraries fill in later. None may touch the playlist. An
// unset or empty-returning hook falls back to the file title. The hooks are set on the UI
// thread; setting one does not repaint: call PlaylistModel::invalidateDisplayNames().
struct DisplayNameHooks {
    using MediaFileName = std::function<QString(const QString& path, const NameOptions& options)>;
    // A media file's name from its tags. Called from the list's name-reading worker threads
    // (several at once, on a copy taken when the work was queued) as well as on the UI thread,
    // so it must be thread-safe; it must not read the settings, only the options given.
    MediaFileName mediaFileName;
    // The title of track (1-based) of the CD in the drive, from the CD database. Called on
    // the UI thread only.
    std::function<QString(int trackNumber)> cdTrackTitle;
};
DisplayNameHooks& displayNameHooks();

// The name of an entry for which DisplayNameReadsFile() holds, through the given copy of
// the mediaFileName hook; safe on any thread.
QString GetFileDisplayName(const QString& path, const NameOptions& options,
                           const DisplayNameHooks::MediaFileName& mediaFileName);

}  // namespace tavi::playlist
