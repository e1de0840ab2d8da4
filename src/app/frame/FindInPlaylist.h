#pragma once

#include <QString>

#include <functional>

namespace tavi::frame {

struct FindRequest {
    QString text;
    bool down = true;
    bool matchCase = false;
};

// The playlist's Find: from the selected row, step down or up with wrap-around and compare
// the text as a part of each display name. The search begins with the row after the
// selection (before it, going up) and tries the selected row last, so that Find Next moves
// on to the next match instead of finding the selected one again. Returns the row reached,
// or -1 when nothing matches or nothing is selected.
int FindInPlaylist(const FindRequest& request, int selected, int count,
                   const std::function<QString(int row)>& displayName);

}  // namespace tavi::frame
