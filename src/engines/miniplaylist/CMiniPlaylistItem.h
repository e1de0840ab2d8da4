#pragma once

#include <QString>

namespace tavi::engines {

// One file of a mini playlist on the mini playlist's own time line (seconds).
struct CMiniPlaylistItem {
    QString fileName;
    double start = 0.0;  // where this file begins
    double end = 0.0;    // where the next file begins
    double length = 0.0;
    bool unmeasured = true;  // until the length was read; a file that fails to open stays so
};

}  // namespace tavi::engines
