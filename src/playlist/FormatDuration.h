#pragma once

#include <QString>

#include <cstdint>

namespace tavi::playlist {

// "H:MM:SS" of a length in milliseconds.
QString FormatDuration(uint32_t milliseconds);
// A track length in seconds, truncated to whole milliseconds; "?:??:??" when the length is
// unknown (negative or not a number).
QString FormatDurationSeconds(double seconds);

inline const QString kUnknownDuration = QStringLiteral("?:??:??");

}  // namespace tavi::playlist
