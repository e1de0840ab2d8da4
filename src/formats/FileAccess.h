#pragma once

#include <QFile>
#include <QString>

#include <functional>
#include <memory>

namespace tavi::formats {

// Opens a file for reading; throws CFileException with the cause of the failure (a folder
// is "access denied", as it is where playlists come from).
std::unique_ptr<QFile> OpenForReading(const QString& path);

// Replaces the file at path with what write() puts on the device, atomically: the old file
// stays as it was unless everything was written, and no temporary file is left behind.
// Throws CFileException for a failure of the file system; exceptions of write() pass
// through after the temporary file was removed.
void WriteAtomically(const QString& path, const std::function<void(QIODevice&)>& write);

}  // namespace tavi::formats
