#pragma once

#include <QString>

#include <optional>

class QIODevice;

namespace tavi::formats {

// The CUE sheet a FLAC file carries, as sheet text: its "CUESHEET" Vorbis comment (which
// has the titles), else its CUESHEET metadata block written out as sheet lines (offsets
// only; the album's ARTIST and ALBUM comments become the sheet's PERFORMER and TITLE).
// Only the metadata blocks are read, pictures skipped. Nothing for files without a sheet,
// files that are no FLAC, damaged blocks and anything but a regular file.
std::optional<QString> ReadFlacCueSheetText(const QString& path);

// The same from a device positioned at the file's start.
std::optional<QString> FlacCueSheetTextFrom(QIODevice& device);

}  // namespace tavi::formats
