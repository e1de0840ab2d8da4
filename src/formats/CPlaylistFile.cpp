#include "CPlaylistFile.h"

#include "PlaylistFormats.h"

namespace tavi::formats {

void CPlaylistFile::Load(const QString& path) {
    m_entries.clear();
    FormatForPath(path).read(path, *this);
}

void CPlaylistFile::Save(const QString& path) const {
    FormatForPath(path).write(path, *this);
}

}  // namespace tavi::formats
