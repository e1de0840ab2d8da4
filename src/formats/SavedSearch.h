#pragma once

#include <QString>

namespace tavi::formats {

class CPlaylistFile;

// A saved search (".search-ms"): the files below its scope folders that meet its
// conditions, in the order the folder walk meets them; folders and hidden files are not
// listed. A search this reader cannot evaluate (unknown conditions or scopes, Windows
// paths, a file that is not a saved search) gives no entries and no error.
void ReadSavedSearch(const QString& path, CPlaylistFile& list);

}  // namespace tavi::formats
