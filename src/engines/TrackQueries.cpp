#include "TrackQueries.h"

#include "CMediaTrack.h"
#include "platform/errors/CException.h"

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

}  // namespace tavi::engines
