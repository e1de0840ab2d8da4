#pragma once

#include <QIODevice>
#include <QString>

namespace tavi::formats {

class CPlaylistFile;

// A news feed file (RSS 2.0 or Atom): for each item in feed order, the local file of its
// first enclosure when that file exists. An enclosure names a local file by a "file:" URL,
// an absolute path or a path relative to the feed; a downloaded web enclosure is looked for
// under its file name in the feed's folder. Never reports a failure: reading stops
// quietly at the first error with what was gathered so far.
void ReadFeedEnclosures(const QString& path, CPlaylistFile& list);
// The same over an open device; feedFolder is where relative and downloaded files are.
void ReadFeedFrom(QIODevice& device, const QString& feedFolder, CPlaylistFile& list);

}  // namespace tavi::formats
