#pragma once

#include <QString>

namespace tavi::formats {

// Makes an entry read from a playlist file absolute. A "file://" URI is the local file it
// names (percent-encoding decoded). Kept verbatim: URLs (any text with
// "://"), command entries (".PAUSE", ".STOP", ".PLAY", ".LIVE", ".JINGLE") and Windows
// absolute paths ("C:\…", "\\server\…"), which name nothing here. A relative entry is
// taken relative to baseFolder, with "\" read as "/" (playlists made on Windows); "." and
// ".." are folded. The process's current directory is neither used nor changed.
QString ResolveEntryPath(const QString& text, const QString& baseFolder);

// The same against the process's current directory.
QString ResolveEntryPath(const QString& text);

// True for entries that are kept as they are (URLs, commands, Windows absolute paths).
bool IsVerbatimEntry(const QString& text);

// An entry as one line of a line-list file: a path holding CR or LF (legal on Linux) would
// read back as broken lines, so it is written as a percent-encoded "file://" URI, which
// ResolveEntryPath turns back into the same path. Every other entry stays as it is.
QString EntryLineText(const QString& entry);

}  // namespace tavi::formats
