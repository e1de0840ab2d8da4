#include "FormatDuration.h"

#include <cmath>

namespace tavi::playlist {

QString FormatDuration(uint32_t milliseconds) {
    const uint32_t seconds = milliseconds / 1000;
    const uint32_t hours = seconds / 3600;
    const uint32_t minutes = seconds / 60 - 60 * hours;
    return QString::asprintf("%u:%02u:%02u", hours, minutes, seconds - 3600 * hours - 60 * minutes);
}

QString FormatDurationSeconds(double seconds) {
    const double milliseconds = seconds * 1000.0;
    if (!std::isfinite(milliseconds) || milliseconds < 0.0 || milliseconds >= 4294967296.0) {
        return kUnknownDuration;
    }
    return FormatDuration(static_cast<uint32_t>(milliseconds));
}

}  // namespace tavi::playlist
