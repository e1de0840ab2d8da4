// Opening the next entry ahead: while a track plays its last seconds, the track for the
// entry that would follow is opened and prerolled, so that it starts the moment the playing
// one ends. What plays next is still decided at the end, by the usual rules; a track opened
// for another entry, list or mode is discarded unplayed.
#include "CPlayer.h"

#include "app/settings/PlaybackSettings.h"
#include "app/settings/PlayerSettings.h"
#include "engines/TrackFactory.h"
#include "engines/TrackQueries.h"

#include <QMetaObject>

#include <algorithm>

namespace tavi::engines {

namespace {
// Seconds before the end of the playing track when the next one is opened.
constexpr double kPrepareAheadSeconds = 2.0;
}  // namespace

// A crossfade needs the next track open before it starts.
double CPlayer::PrepareAheadSeconds() const {
    const settings::PlaybackSettings& playback = settings::playbackSettings();
    return playback.crossfadeAuto
               ? std::max(kPrepareAheadSeconds, playback.CrossfadeSeconds() + kPrepareAheadSeconds)
               : kPrepareAheadSeconds;
}

QString CPlayer::PreparedFile() const {
    return m_prepared && m_prepared->track ? m_prepared->path : QString();
}

// The entry to open ahead, -1 for none. Random play draws its entry only at the end, and
// Loop Track plays the same entry again, which is not the entry NextEntryIndex names.
int CPlayer::PreparableIndex() const {
    if (m_mode == ModeRandom || m_mode == ModeLoop) {
        return -1;
    }
    return NextEntryIndex();
}

bool CPlayer::PreparedMatches(int index, const QString& path) const {
    return m_prepared && m_prepared->index == index && m_prepared->path == path &&
           m_prepared->mode == m_mode && m_prepared->count == m_host.GetCount();
}

// Runs on the timer while a track plays.
void CPlayer::PrepareNext() {
    CMediaTrack* current = m_host.GetCurrentTrack();
    if (!current) {
        m_prepareTimer.stop();
        return;
    }
    const int index = PreparableIndex();
    const QString path = index >= 0 ? m_host.GetEntry(index) : QString();
    if (m_prepared && !PreparedMatches(index, path)) {
        DiscardPrepared();  // the selection, the list or the mode changed
    }
    const bool awaitsCrossfade = m_prepared && settings::playbackSettings().crossfadeAuto;
    if ((m_prepared && !awaitsCrossfade) || index < 0) {
        m_prepareTimer.setInterval(MsUntilNextSecond(*current));  // until the list or mode changes
        return;
    }
    double remaining = 0.0;
    try {
        if (m_endTime < 0) {
            m_endTime = current->GetLength();
        }
        remaining = m_endTime - current->GetPosition();
    } catch (const errors::CException&) {
        return;  // a track without a known end is not followed ahead
    }
    if (awaitsCrossfade) {
        m_prepareTimer.setInterval(kPrepareCheckMs);  // often enough to start it in time
        if (AutoCrossfadeDue(remaining)) {
            StartAutoCrossfade();
        }
        return;
    }
    const double ahead = PrepareAheadSeconds();
    if (remaining > ahead) {
        // Looked at again as the moment nears, at least once a second (a seek may bring it).
        const double untilDue = (remaining - ahead) * 1000.0;
        m_prepareTimer.setInterval(untilDue > kPrepareLongestCheckMs
                                       ? MsUntilNextSecond(*current)
                                       : std::max(int(untilDue), kPrepareCheckMs));
        return;
    }
    m_prepareTimer.setInterval(kPrepareCheckMs);
    // The MIDI reset file plays before its entry opens, so such an entry is not opened early.
    const bool needsReset =
        settings::playerSettings().sendReset && UpperExtension(path) == QLatin1String(".MID");
    PreparedTrack prepared{nullptr, index, path, m_mode, m_host.GetCount()};
    if (!needsReset) {
        try {
            std::unique_ptr<CMediaTrack> track = CreateTrackForFile(path, this);
            if (track->OpenAhead(path)) {
                prepared.track = std::move(track);
            }
        } catch (const errors::CException&) {
            // Opened again when its turn comes, which reports the error as usual.
        }
    }
    m_prepared = std::move(prepared);
}

std::unique_ptr<CMediaTrack> CPlayer::TakePrepared(const QString& path) {
    std::unique_ptr<CMediaTrack> track;
    // A track whose open ended in the background may have found it cannot be played as
    // opened (it failed, or has video); the entry is then opened as usual.
    if (PreparedMatches(m_host.GetSelection(), path) && m_prepared->track &&
        m_prepared->track->IsUsableAhead()) {
        track = std::move(m_prepared->track);
    }
    DiscardPrepared();
    return track;
}

void CPlayer::DiscardPrepared() {
    m_prepared.reset();  // the track closes as it is deleted
}

// A stop may be the first step of going on to the next entry, which would take the track
// opened ahead; only once the command is over is it clear that nothing follows.
void CPlayer::DiscardPreparedWhenIdle() {
    if (!m_prepared) {
        return;
    }
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (!IsPlaying()) {
                DiscardPrepared();
            }
        },
        Qt::QueuedConnection);
}

}  // namespace tavi::engines
