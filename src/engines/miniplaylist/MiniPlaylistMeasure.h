#pragma once

#include "CMiniPlaylistItem.h"

#include <QStringList>

#include <vector>

namespace tavi::engines {

class CMediaTrackCallback;

// The time line of a mini playlist: every file opened once, with the factory's track and the
// given callback, to read its length; each adds its length less its overlap into the next
// (none for the last; an overlap above the length is cut to it). A file that fails to open,
// and a program, adds nothing and stays unmeasured. A few files open at once, each on a
// thread of its own, and opens that take long are waited for within a budget for the list.
std::vector<CMiniPlaylistItem> MeasureMiniPlaylist(const QStringList& files,
                                                   CMediaTrackCallback* callback);

}  // namespace tavi::engines
