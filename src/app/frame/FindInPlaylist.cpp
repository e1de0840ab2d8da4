#include "FindInPlaylist.h"

namespace tavi::frame {

int FindInPlaylist(const FindRequest& request, int selected, int count,
                   const std::function<QString(int row)>& displayName) {
    if (selected < 0 || selected >= count || request.text.isEmpty()) {
        return -1;
    }
    const Qt::CaseSensitivity sensitivity =
        request.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    const int step = request.down ? 1 : -1;
    int row = selected;
    for (int tried = 0; tried < count; ++tried) {
        row = (row + step + count) % count;
        if (displayName(row).contains(request.text, sensitivity)) {
            return row;
        }
    }
    return -1;
}

}  // namespace tavi::frame
