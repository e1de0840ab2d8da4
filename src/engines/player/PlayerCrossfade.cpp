// Crossfading: the next track starts on a lane of its own on the shared output while the
// one playing goes out, the two mixed on equal-power curves. At an automatic change the
// next track's sound starts exactly the fade's length before the end of the one playing
// (the output places it there); on Next or Previous it starts at once and the one playing
// falls from where it is. The track going out is no longer current: the player has gone on,
// and the old track's end or failure only closes it. Only sound on lanes of its own crosses
// (no pictures, no live input, no pause entries, no mini playlists, whose overlap is theirs),
// and only tracks at least twice the fade long.
#include "CPlayer.h"

#include "app/settings/PlaybackSettings.h"

#include <algorithm>

namespace tavi::engines {

namespace {

// Looked at this long before the moment the next track's sound is due, so that it is set
// up (its place on the output known) before that sound would have to be heard.
constexpr double kCrossfadeLeadSeconds = 0.25;
// The track going out is closed this long after its fade should be over, if its end has
// not come by then.
constexpr int kFadingOutSlackMs = 500;

const settings::PlaybackSettings& playback() {
    return settings::playbackSettings();
}

}  // namespace

bool CPlayer::IsFadingOut(CMediaTrack* track) const {
    return track && track == m_fadingOut.get();
}

bool CPlayer::CrossfadeFits(CMediaTrack& track) const {
    if (!track.CanCrossfade()) {
        return false;
    }
    try {
        return track.GetLength() >= 2.0 * playback().CrossfadeSeconds();
    } catch (const errors::CException&) {
        return false;  // no known length: not crossfaded
    }
}

// At an automatic change the entry that follows must be the one opened ahead, played as
// the end of the track would play it: not in Intro Scan, not the last entry of a list that
// stops there.
bool CPlayer::AutoCrossfadeDue(double remaining) const {
    const double seconds = playback().CrossfadeSeconds();
    if (!playback().crossfadeAuto || m_mode == ModeIntro || m_mode == ModeLoop || m_fadingOut ||
        remaining > seconds + kCrossfadeLeadSeconds || !m_prepared || !m_prepared->track ||
        !m_prepared->track->IsUsableAhead()) {
        return false;
    }
    const int selection = m_host.GetSelection();
    const int count = m_host.GetCount();
    if (selection < 0 || count < 0 || (selection >= count - 1 && m_mode == ModeNormal)) {
        return false;
    }
    CMediaTrack* current = m_host.GetCurrentTrack();
    return current && CrossfadeFits(*current) && CrossfadeFits(*m_prepared->track);
}

// The same steps as a track's end (stop, next, play), with the old track still playing.
void CPlayer::StartAutoCrossfade() {
    const double seconds = playback().CrossfadeSeconds();
    CMediaTrack* current = m_host.GetCurrentTrack();
    const std::optional<uint64_t> startFrame = current->OutputFrameAt(m_endTime - seconds);
    current->CrossfadeOut(m_endTime - seconds, seconds);
    HandOverToFadeOut(std::max(seconds, m_endTime - current->GetPosition()));
    m_crossfadeIn = CrossfadeIn{seconds, startFrame};
    StopPlaying();
    NextCommand();
    PlayCommand();
    m_crossfadeIn.reset();
}

// Next or Previous with the switch on: the playing track falls from now; false when it
// cannot cross (then it stops as usual).
bool CPlayer::StartManualCrossfade() {
    CMediaTrack* current = m_host.GetCurrentTrack();
    if (!playback().crossfadeManual || !current || m_mode == ModeIntro ||
        !CrossfadeFits(*current)) {
        return false;
    }
    DropFadingOut();
    const double seconds = playback().CrossfadeSeconds();
    current->CrossfadeOut(std::nullopt, seconds);
    HandOverToFadeOut(seconds);
    m_crossfadeIn = CrossfadeIn{seconds, std::nullopt};
    StopPlaying();
    return true;
}

// The current track goes on playing, no longer current, until its end or the time is up.
void CPlayer::HandOverToFadeOut(double seconds) {
    m_fadingOut = m_host.TakeCurrentTrack();
    m_fadingOutTimer.start(int(seconds * 1000.0) + kFadingOutSlackMs);
    ++m_crossfades;
}

// The track about to start comes in over the fade, if a crossfade waits for it and it can
// cross; otherwise the old one is cut off, as without a crossfade.
void CPlayer::ApplyCrossfadeIn(CMediaTrack& track) {
    if (!m_crossfadeIn) {
        return;
    }
    const CrossfadeIn crossfade = *m_crossfadeIn;
    m_crossfadeIn.reset();
    if (CrossfadeFits(track)) {
        track.CrossfadeIn(crossfade.seconds, crossfade.startFrame);
    } else {
        DropFadingOut();
    }
}

void CPlayer::DropFadingOut() {
    m_fadingOutTimer.stop();
    if (std::unique_ptr<CMediaTrack> track = std::move(m_fadingOut)) {
        track->Close();
    }
}

}  // namespace tavi::engines
