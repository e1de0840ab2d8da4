#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace tavi::engines {

// The seconds a file of a mini playlist starts the next one before its own end, from its
// base name: the text after the last "~" read as a number ("song~2.5.wav": 2.5). A name
// without "~" or without a number there gives -1, "the default"; marker entries give 0.
double FileOverlap(const QString& fileName);

// The overlap a mini playlist uses while this run of the program lasts when a name gives
// none. Always 0: there is no setting for it.
double DefaultOverlap();

// The file a ".rotation" entry stands for now (its NextIndex advances) and a ".dir" entry's
// random file; any other entry as it is. draw returns a random number (tests fix it).
QString ExpandMiniPlaylistEntry(const QString& entry, const std::function<unsigned()>& draw);

// The entries of a mini playlist (".mpl" or ".m3u", or any playlist file), expanded. Throws
// what reading the file throws.
QStringList ReadMiniPlaylist(const QString& path);

}  // namespace tavi::engines
