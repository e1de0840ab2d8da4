#pragma once

#include <QString>

// Everything the player decides about an entry it decides from the upper-cased extension of
// the entry's last path component. Pseudo-files ("10.pause", "Track05.cda", "a.mp3.jingle")
// need not exist on disk: their name carries their meaning.
namespace tavi::playlist {

// The last path component from its last "." to the end, dot included, upper-cased; empty
// when the component has no dot.
QString EntryExtension(const QString& path);
// The last path component without its extension, case kept.
QString FileTitle(const QString& path);
// The last path component.
QString FileNamePart(const QString& path);
// Everything up to and including the last "/"; empty for a bare name.
QString FolderPart(const QString& path);

// Playable media for the "MediaFilesOnly" filter.
bool IsMediaFile(const QString& path);
// The same test on an extension already taken with EntryExtension().
bool IsMediaExtension(const QString& upperExtension);
// The extension as written (dot included, case kept); empty when there is none.
QString RawExtension(const QString& path);
// The filter used when an automation client inserts an entry.
bool IsInsertableFile(const QString& path);
bool IsMiniPlaylistFile(const QString& path);
bool IsVideoFile(const QString& path);
// Playlist files whose entries are read in when the file is added to the list.
bool IsExpandablePlaylistFile(const QString& path);

// Index into the media image list; see EntryIcons for the pictures.
int GetFileImageIndex(const QString& path);

}  // namespace tavi::playlist
