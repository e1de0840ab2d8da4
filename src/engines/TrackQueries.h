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

// The passes that follow a playing track (the slider, the position pane, the look ahead for
// the next entry) come this long after the track reaches a step of its time line: passes
// due at the same step then share one wake-up of the program.
constexpr int kAfterStepMs = 15;
// Milliseconds until a track that stands at `seconds` reaches its next multiple of
// `stepMs`, plus kAfterStepMs; `stepMs` for a position that is not a time.
int MsUntilNextStep(double seconds, int stepMs);
// For a pass once a second: just after the track's next whole second (at least
// kSoonestSecondPassMs away); kSecondPassMs for a paused track or one that cannot tell where
// it is.
constexpr int kSecondPassMs = 1000;
constexpr int kSoonestSecondPassMs = 50;
int MsUntilNextSecond(CMediaTrack& track);

}  // namespace tavi::engines
