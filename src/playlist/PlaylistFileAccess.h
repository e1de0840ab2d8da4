#pragma once

#include <QStringList>

#include <optional>

namespace tavi::playlist {

// The document's way to the playlist-file readers and writers. Failures are thrown as
// std::runtime_error carrying the message to show (the document's hooks speak that).
QStringList LoadDocumentEntries(const QString& path);
void SaveDocumentEntries(const QString& path, const QStringList& entries);
// A file of one of the playlist formats (".alb", ".m3u", ".pls", ".wpl", ...), by name.
bool IsPlaylistFile(const QString& path);
// A list read from a file that is never written over (a CUE sheet): Save asks for a name.
bool IsReadOnlyPlaylistFile(const QString& path);
// The entries of an album, WPL or saved-search file inserted with AddPath.
QStringList ExpandPlaylistFile(const QString& path);
// The tracks of a CUE sheet or of a FLAC file carrying one; nothing for other files.
std::optional<QStringList> ExpandCueSheet(const QString& path);

}  // namespace tavi::playlist
