#pragma once

#include <QString>

namespace tavi::formats {

class CPlaylistFile;

// PLS and rotation files: section "playlist" with File1 … FileN, NumberOfEntries and the
// one-based NextIndex. Reading never reports a failure: a missing file or section is an
// empty list. Relative entries are resolved against the file's folder.
void ReadIniList(const QString& path, CPlaylistFile& list);

// Replaces the whole file (nothing of an old one survives) with the keys File1 … FileN,
// NumberOfEntries and NextIndex, in this order. Throws CFileException when it cannot be
// written; the old file then stays as it was.
void WriteIniList(const QString& path, const CPlaylistFile& list);

}  // namespace tavi::formats
