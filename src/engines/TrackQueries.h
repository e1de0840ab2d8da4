#pragma once

#include <optional>

namespace tavi::engines {

class CMediaTrack;

// The questions the window, the slider and the bus ask of a track, for callers that must
// never fail on an engine's error: a length or position the engine cannot tell is empty.
std::optional<double> LengthOf(CMediaTrack& track);
std::optional<double> PositionOf(CMediaTrack& track);
// Seeks; false when the engine refused.
bool TrySeek(CMediaTrack& track, double position);

}  // namespace tavi::engines
