#pragma once

#include <QString>

namespace tavi::formats {

class CPlaylistFile;

// One row of the table that decides how a playlist file is read and written.
struct PlaylistFormat {
    using Reader = void (*)(const QString& path, CPlaylistFile& list);
    using Writer = void (*)(const QString& path, const CPlaylistFile& list);

    const char* extension;  // upper case with the dot; nullptr for "any other"
    Reader read;
    Writer write;
};

// The row for the path's extension, compared without regard to case.
const PlaylistFormat& FormatForPath(const QString& path);
// Whether the path's extension has a row of its own (not "any other").
bool HasPlaylistFormat(const QString& path);

// The extension of a path's file name with its dot, upper-cased; empty when it has none.
QString UpperExtension(const QString& path);

}  // namespace tavi::formats
