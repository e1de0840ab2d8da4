#include "TrackGain.h"

#include <algorithm>
#include <cmath>

namespace tavi::engines {

using Mode = settings::PlaybackSettings::GainMode;

float TrackGain::DbToFactor(double db) {
    return float(std::pow(10.0, db / 20.0));
}

float TrackGain::FactorFor(const formats::ReplayGainTags& tags, bool inAlbum) const {
    if (m_settings.gainMode == Mode::Off) {
        return 1.0f;
    }
    const bool useAlbum = m_settings.gainMode == Mode::Album && inAlbum && tags.albumGainDb;
    std::optional<double> gain = useAlbum ? tags.albumGainDb : tags.trackGainDb;
    std::optional<double> peak = useAlbum ? tags.albumPeak : tags.trackPeak;
    if (!gain && tags.albumGainDb) {  // only the album was measured
        gain = tags.albumGainDb;
        peak = tags.albumPeak;
    }
    if (!gain) {
        return DbToFactor(m_settings.fallbackTenthsDb / 10.0);
    }
    float factor = DbToFactor(*gain + m_settings.preampTenthsDb / 10.0);
    if (m_settings.preventClipping && peak && *peak > 0.0) {
        factor = std::min(factor, float(1.0 / *peak));
    }
    return factor;
}

float TrackGain::FactorForFile(const QString& path,
                               const std::function<QString(int offset)>& neighbour) const {
    if (m_settings.gainMode == Mode::Off) {
        return 1.0f;
    }
    const formats::ReplayGainTags tags = formats::ReadReplayGainTags(path);
    bool inAlbum = false;
    if (m_settings.gainMode == Mode::Album && !tags.album.isEmpty() && neighbour) {
        for (int offset : {-1, 1}) {
            const QString other = neighbour(offset);
            if (!other.isEmpty() && formats::ReadReplayGainTags(other).album == tags.album) {
                inAlbum = true;
                break;
            }
        }
    }
    return FactorFor(tags, inAlbum);
}

}  // namespace tavi::engines
