#pragma once

#include <QIODevice>
#include <QString>

namespace tavi::formats {

class CPlaylistFile;

// Line lists: albums, mini playlists, M3U and every extension without a reader of its own.
// Reading takes any mark or none and any line end, drops trailing blanks, empty lines and
// lines that begin with "#", and resolves each entry against the file's folder.
void ReadLineList(const QString& path, CPlaylistFile& list);
// The same over an open device; folder resolves relative entries, fileName names errors.
void ReadLineListFrom(QIODevice& device, const QString& folder, const QString& fileName,
                      CPlaylistFile& list);

// Writes one entry per line with CR LF; ".alb" and ".mpl" as UTF-8 with mark, everything
// else in the locale's encoding without mark.
void WriteLineList(const QString& path, const CPlaylistFile& list);

}  // namespace tavi::formats
