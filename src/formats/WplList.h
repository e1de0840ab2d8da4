#pragma once

#include <QIODevice>
#include <QString>

namespace tavi::formats {

class CPlaylistFile;

// WPL playlists (SMIL XML): every <media src="…"/> in document order, as written. Throws
// CFileException when the file cannot be opened or is not well-formed XML with a <smil>
// root.
void ReadWplList(const QString& path, CPlaylistFile& list);

// Writes a WPL file at path whose <title> is the file title (name without folder and
// extension), one <media src="…"/> per entry. Atomic like every playlist write.
void WriteWplList(const QString& path, const CPlaylistFile& list);

// The same over open devices; fileName names errors, title is the playlist's title.
void ReadWplFrom(QIODevice& device, const QString& fileName, CPlaylistFile& list);
// False when the device refused the bytes.
bool WriteWplTo(QIODevice& device, const QString& title, const CPlaylistFile& list);

}  // namespace tavi::formats
