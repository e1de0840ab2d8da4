#include "TrackQueries.h"

#include "CMediaTrack.h"
#include "platform/errors/CException.h"

#include <algorithm>
#include <cmath>

namespace tavi::engines {

namespace {

template <typename Query>
std::optional<double> Asked(Query query) {
    try {
        return query();
    } catch (const errors::CException&) {
        return std::nullopt;
    }
}

}  // namespace

std::optional<double> LengthOf(CMediaTrack& track) {
    return Asked([&] { return track.GetLength(); });
}

std::optional<double> PositionOf(CMediaTrack& track) {
    return Asked([&] { return track.GetPosition(); });
}

bool TrySeek(CMediaTrack& track, double position) {
    try {
        track.Seek(position);
        return true;
    } catch (const errors::CException&) {
        return false;
    }
}

int MsUntilNextStep(double seconds, int stepMs) {
    if (!std::isfinite(seconds) || seconds < 0 || stepMs <= 0) {
        return stepMs;
    }
    const double step = stepMs / 1000.0;
    const double next = (std::floor(seconds / step + 1e-6) + 1.0) * step;
    return int((next - seconds) * 1000.0) + kAfterStepMs;
}

int MsUntilNextSecond(CMediaTrack& track) {
    const std::optional<double> position = track.IsPaused() ? std::nullopt : PositionOf(track);
    if (!position) {
        return kSecondPassMs;
    }
    return std::clamp(MsUntilNextStep(*position, kSecondPassMs), kSoonestSecondPassMs,
                      kSecondPassMs + kAfterStepMs);
}

}  // namespace tavi::engines
