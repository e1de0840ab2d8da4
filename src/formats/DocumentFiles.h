#pragma once

#include <QString>
#include <QStringList>

namespace tavi::errors {
class CException;
}

namespace tavi::formats {

// What the playlist document needs from the playlist files when it is opened from one or
// saved to one. The document itself, its dialogs and its cursor are elsewhere.

// String 129: the file-dialog filter list, "|"-separated in the resource's own form.
QString PlaylistFilterString();
// The same as Qt file-dialog filters ("Tavi Playlist (*.alb)", …, "All Files (*)").
QStringList PlaylistDialogFilters();
// The default extension of the file dialogs, without dot: "alb".
QString DefaultPlaylistExtension();
// A file name typed without extension receives ".alb"; any other name stays as it is.
QString WithDefaultExtension(const QString& path);
// Whether the path names a file of one of the playlist formats (by its extension).
bool IsPlaylistFormatFile(const QString& path);

// Reads the playlist file in the format of its extension and returns its entries in
// order, long ones included. NextIndex is not used.
// Throws CFileException or CWin32Exception.
QStringList LoadPlaylistForDocument(const QString& path);
// Writes the entries in the format of the path's extension with NextIndex 0. The old file
// is kept unless the write completed. Throws CFileException or CWin32Exception.
void SavePlaylistFromDocument(const QString& path, const QStringList& entries);

// The message for a failed open of path: the cause's text for a file error ("Cannot find
// this file", "opened by someone else", …), the error's own message otherwise, and
// "Failed to open document." when there is no error object or it has no message.
QString DocumentLoadErrorMessage(const errors::CException* error, const QString& path);
// The message for a failed save: the error's own message, "Failed to save document." when
// there is none.
QString DocumentSaveErrorMessage(const errors::CException* error);

}  // namespace tavi::formats
