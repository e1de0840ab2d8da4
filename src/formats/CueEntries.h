#pragma once

#include "CueSheet.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace tavi::formats {

class CPlaylistFile;

// A track of a CUE sheet is the entry "<container>/TrackNN.cuetrack", the container being
// the ".cue" file or a FLAC file that carries a sheet. A regular file has no children, so
// such an entry never names a real file; it is saved and read back like any path, and its
// extension decides what it is like every other entry's.
QString CueTrackEntry(const QString& container, int number);

struct CueTrackRef {
    QString container;
    int number = 0;
};
// The container and track number of a cue entry; nothing for any other entry.
std::optional<CueTrackRef> ParseCueTrackEntry(const QString& entry);

// A ".cue" file, by name.
bool IsCueSheetFile(const QString& path);

// The sheet of a container: a ".cue" file read, else a FLAC's own sheet. Throws
// CFileException: a file that cannot be read, or a sheet without a playable track
// (badFormat, naming the container).
CueSheet ReadContainerSheet(const QString& container);

// The entries of every track of path's sheet, in the sheet's order: for a ".cue" file
// (throwing as ReadContainerSheet when it cannot be used) and for a FLAC file carrying a
// sheet with playable tracks. Nothing for any other path, which is an entry of its own.
std::optional<QStringList> CueSheetEntries(const QString& path);

// The playlist-format row of ".cue": a sheet opened as a list holds its tracks. A sheet is
// never written over: the writer refuses.
void ReadCueSheetList(const QString& path, CPlaylistFile& list);
void RefuseCueSheetWrite(const QString& path, const CPlaylistFile& list);

}  // namespace tavi::formats
