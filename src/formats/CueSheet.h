#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace tavi::formats {

// One playable TRACK of a CUE sheet: a range of one audio file.
struct CueTrack {
    int number = 0;  // as the sheet numbers it, 1..99
    QString title;
    QString performer;          // the track's own; empty when only the sheet names one
    QString file;               // the FILE it plays, absolute
    double start = 0.0;         // its INDEX 01, in seconds from the file's start
    std::optional<double> end;  // the next track's INDEX 01 in the same file; none: the file's end
};

// What a sheet says about its album and its playable tracks, in the sheet's order.
struct CueSheet {
    QString title;
    QString performer;
    std::vector<CueTrack> tracks;

    // The track numbered so, or null.
    const CueTrack* Track(int number) const;
    // The track's performer, else the sheet's.
    QString PerformerOf(const CueTrack& track) const;
};

// Reads a sheet's lines. Relative FILE names are taken in folder; a sheet embedded in a
// file (embeddedIn not empty) plays that file whatever its FILE lines say. Never throws:
// tracks that cannot be played (no FILE before them, not AUDIO, no valid INDEX 01, a start
// not after the one before in the same file, a number used twice) are left out, so a sheet
// of nothing usable has no tracks.
CueSheet ParseCueSheet(const QStringList& lines, const QString& folder,
                       const QString& embeddedIn = {});

// The same for text held in memory (an embedded sheet), split at CR and LF.
CueSheet ParseCueSheetText(const QString& text, const QString& folder,
                           const QString& embeddedIn = {});

// Reads a ".cue" file: UTF-8 with a byte-order mark, else the locale's encoding, as the
// playlist files. Throws CFileException: the file cannot be read, or it is no sheet with a
// track that can be played (badFormat, which names the file).
CueSheet ReadCueSheetFile(const QString& path);

// Throws the badFormat error of a sheet without a playable track, naming path.
[[noreturn]] void ThrowNoPlayableTrack(const QString& path);

}  // namespace tavi::formats
