#pragma once

#include "app/settings/PlaybackSettings.h"
#include "formats/metadata/ReplayGainTags.h"

#include <QString>

#include <functional>

namespace tavi::engines {

// The level a track plays at under the loudness settings: its tagged gain (the album's in
// album mode when a neighbouring entry shares its album tag, else the track's) plus the
// preamp, held under 1/peak when clipping prevention is on; the fallback gain for a file
// without gain tags. 1 whenever the correction is off.
class TrackGain {
public:
    explicit TrackGain(const settings::PlaybackSettings& settings) : m_settings(settings) {}

    // A linear factor from the file's tags; inAlbum: a neighbour shares the album.
    float FactorFor(const formats::ReplayGainTags& tags, bool inAlbum) const;
    // The same from the file; neighbour(-1/+1) names the entries before and after it
    // (empty when there is none), read only in album mode.
    float FactorForFile(const QString& path,
                        const std::function<QString(int offset)>& neighbour) const;

    static float DbToFactor(double db);

private:
    const settings::PlaybackSettings& m_settings;
};

}  // namespace tavi::engines
