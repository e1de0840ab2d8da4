#include "CPlayer.h"

#include "TrackGain.h"
#include "app/settings/PlaybackSettings.h"
#include "app/settings/PlayerSettings.h"
#include "engines/TrackFactory.h"

#include <QMetaObject>

#include <algorithm>

namespace tavi::engines {

namespace {
// While a track plays, this often the player looks whether to open the next one ahead.
settings::PlayerSettings& options() {
    return settings::playerSettings();
}
}  // namespace

CPlayer::CPlayer(PlayerHost& host, QObject* parent)
    : QObject(parent),
      m_host(host),
      m_fade(std::make_unique<mixer::FadeOut>()),
      m_pauseFade(std::make_unique<mixer::FadeOut>()) {
    m_prepareTimer.setInterval(kPrepareCheckMs);
    connect(&m_prepareTimer, &QTimer::timeout, this, &CPlayer::PrepareNext);
    m_fadingOutTimer.setSingleShot(true);
    connect(&m_fadingOutTimer, &QTimer::timeout, this, &CPlayer::DropFadingOut);
}

CPlayer::~CPlayer() {
    DropFadingOut();
}

void CPlayer::SetMode(uint32_t mode) {
    if (mode > ModeLoop || mode == m_mode) {
        return;
    }
    m_mode = mode;
    Q_EMIT modeChanged(mode);
}

bool CPlayer::IsPaused() const {
    CMediaTrack* track = m_host.GetCurrentTrack();
    return track && track->IsPaused();
}

bool CPlayer::SelectionIsLast() const {
    const int count = m_host.GetCount();
    return m_host.GetSelection() >= count - 1;
}

void CPlayer::PlayFile(const QString& path) {
    EndFadeFirst();
    if (IsPlaying()) {
        StopCommand();
    }
    if (options().sendReset && UpperExtension(path) == QLatin1String(".MID") && m_midiReset) {
        m_midiReset(options().resetFile);
    }
    std::unique_ptr<CMediaTrack> track = TakePrepared(path);
    try {
        const float gain = GainForEntry(path);
        if (track) {
            ++m_preparedUsed;
        } else {
            track = CreateTrackForFile(path, this);
            track->SetGain(gain);
            track->Open(path);
        }
        track->SetGain(gain);
        ApplyCrossfadeIn(*track);
        BeginPlaying(*track);
    } catch (const errors::CException& error) {
        m_host.MarkEntryFailed(path, true);
        ReportTrackError(error, path);
        track.reset();
        if (options().ignoreErrors && !SelectionIsLast()) {
            NextCommand();
            PostCommand(playercmd::kPlay);
        }
        return;
    }
    m_playingName = m_host.GetDisplayName(path);
    m_host.MarkEntryFailed(path, false);
    m_host.SetCurrentTrack(std::move(track));
    Q_EMIT trackStarted(m_playingName);
    Q_EMIT trayStateChanged(TrayState::Playing, m_playingName);
    m_prepareTimer.start(kPrepareCheckMs);
}

// Starts an opened track; Intro Scan plays only the intro range.
void CPlayer::BeginPlaying(CMediaTrack& track) {
    m_endTime = -1.0;  // read from the track when needed
    if (m_mode != ModeIntro) {
        track.Play();
        return;
    }
    const double introLength = options().introLength;
    double start = options().introStart;
    std::optional<double> length;
    try {
        length = track.GetLength();
    } catch (const errors::CException&) {
        // Still opening in the background: the intro range is played as set.
    }
    if (length && start + introLength > *length) {
        start = 0;
    }
    m_endTime = length ? std::min(start + introLength, *length) : start + introLength;
    track.PlayRange(start, m_endTime);
}

void CPlayer::PlaySelected() {
    const int selection = m_host.GetSelection();
    if (selection < 0) {
        return;
    }
    m_host.SetBusy(true);
    PlayFile(m_host.GetEntry(selection));
    m_host.SetBusy(false);
}

void CPlayer::PlayCommand() {
    EndFadeFirst();
    if (CMediaTrack* track = m_host.GetCurrentTrack()) {
        Guarded([&] {
            if (track->IsPaused()) {
                ResumeCurrent(*track);
            } else {
                track->Seek(0);
            }
        });
        return;
    }
    const int count = m_host.GetCount();
    if (m_mode == ModeRandom && count > 0) {
        m_host.SetSelection(m_host.NextRandom() % count);
    }
    PlaySelected();
}

void CPlayer::StopCommand() {
    DropFadingOut();  // a stop silences both tracks of a crossfade
    StopPlaying();
}

void CPlayer::StopPlaying() {
    m_pauseFade->Cancel();  // a pause coming is pointless now; the volume goes back
    if (IsFading()) {
        m_afterFade.clear();
        EndFadeFirst();  // its stop is this one
        return;
    }
    m_host.CloseCurrentTrack();
    DiscardPreparedWhenIdle();
    if (m_mode == ModeLoop) {
        SetMode(ModeNormal);
    }
    m_playingName.clear();
    Q_EMIT trackStopped();
    Q_EMIT trayStateChanged(TrayState::Stopped, QString());
}

void CPlayer::PauseCommand() {
    EndPauseFadeFirst();  // pressed again while fading: from the state it was going to
    if (CMediaTrack* track = m_host.GetCurrentTrack()) {
        Guarded([&] {
            if (track->IsPaused()) {
                ResumeCurrent(*track);
            } else {
                PauseCurrent(*track);
            }
        });
        return;
    }
    PlayCommand();
    if (IsPlaying()) {
        PostCommand(playercmd::kPause);
    }
}

// A playing track fades out first; the move then plays the entry it selects.
void CPlayer::StopThenMove(void (CPlayer::*move)(bool play)) {
    EndFadeFirst();
    if (IsPlaying() && StartManualCrossfade()) {
        (this->*move)(true);
        m_crossfadeIn.reset();  // nothing came in: the old track just fades out
    } else if (IsPlaying()) {
        FadeOutAndStop([this, move] { (this->*move)(true); });
    } else {
        (this->*move)(false);
    }
}

void CPlayer::NextCommand() {
    StopThenMove(&CPlayer::MoveToNext);
}

void CPlayer::MoveToNext(bool play) {
    const int selection = m_host.GetSelection();
    const int count = m_host.GetCount();
    if (selection < 0 || count <= 0) {
        return;
    }
    if (selection < count - 1) {
        m_host.SetSelection(selection + 1);
    } else if (m_mode == ModeShuffle) {
        m_host.ShufflePlaylist();
    } else if (m_mode == ModeRepeat) {
        m_host.SetSelection(0);
    } else {
        return;
    }
    if (play) {
        PlayCommand();
    }
}

void CPlayer::PreviousCommand() {
    StopThenMove(&CPlayer::MoveToPrevious);
}

void CPlayer::MoveToPrevious(bool play) {
    const int selection = m_host.GetSelection();
    if (selection >= 1) {
        m_host.SetSelection(selection - 1);
        if (play) {
            PlayCommand();
        }
    }
}

void CPlayer::LoopCommand() {
    EndFadeFirst();
    if (m_mode == ModeLoop) {
        SetMode(ModeNormal);
        return;
    }
    if (!IsPlaying()) {
        PlaySelected();
    }
    if (IsPlaying()) {
        SetMode(ModeLoop);
    }
}

void CPlayer::PlayDoubleClicked() {
    EndFadeFirst();
    auto play = [this] {
        if (m_mode == ModeRandom) {
            SetMode(ModeNormal);
        }
        PlayCommand();
    };
    if (IsPlaying()) {
        FadeOutAndStop(play);
    } else {
        play();
    }
}

void CPlayer::SeekTo(double seconds) {
    if (CMediaTrack* track = m_host.GetCurrentTrack()) {
        Guarded([&] { track->Seek(seconds); });
    }
}

void CPlayer::FastForward() {
    if (CMediaTrack* track = m_host.GetCurrentTrack()) {
        Guarded([&] { track->Seek(track->GetPosition() + options().ffTime); });
    }
}

void CPlayer::Rewind() {
    if (CMediaTrack* track = m_host.GetCurrentTrack()) {
        Guarded([&] { track->Seek(track->GetPosition() - options().ffTime); });
    }
}

void CPlayer::ToggleMode(uint32_t mode) {
    SetMode(m_mode == mode ? ModeNormal : mode);
}

int CPlayer::NextEntryIndex() const {
    const int selection = m_host.GetSelection();
    const int count = m_host.GetCount();
    if (selection < 0) {
        return -1;
    }
    if (count == 1) {
        return 0;
    }
    if (m_mode == ModeRandom) {
        return -1;
    }
    if (!IsPlaying()) {
        return selection;
    }
    if (selection < count - 1) {
        return selection + 1;
    }
    return m_mode == ModeRepeat ? 0 : -1;
}

void CPlayer::OnTrackEnded(CMediaTrack* track) {
    if (IsFadingOut(track)) {
        DropFadingOut();  // played out under the next one
        return;
    }
    if (track != m_host.GetCurrentTrack()) {
        return;  // a report from a track that is no longer current
    }
    if (IsFading()) {
        EndFadeFirst();  // it was being stopped anyway; what follows the fade decides
        return;
    }
    const uint32_t mode = m_mode;
    StopCommand();
    if (mode == ModeLoop) {
        SetMode(ModeLoop);
        PlayCommand();
        return;
    }
    const int selection = m_host.GetSelection();
    const int count = m_host.GetCount();
    if (selection < 0 || count < 0) {
        return;
    }
    if (selection >= count - 1 && (mode == ModeNormal || mode == ModeIntro)) {
        if (selection == count - 1) {
            m_host.SetSelection(0);
        }
        return;
    }
    NextCommand();
    PlayCommand();
}

void CPlayer::OnTrackError(CMediaTrack* track, std::unique_ptr<errors::CException> error) {
    if (IsFadingOut(track)) {
        DropFadingOut();  // its last seconds are lost; the next track plays on
        return;
    }
    if (track != m_host.GetCurrentTrack()) {
        return;
    }
    m_host.MarkEntryFailed(track->GetFileName(), true);
    ReportTrackError(*error, track->GetFileName());
    if (IsFading()) {
        EndFadeFirst();
        return;
    }
    if (options().ignoreErrors && m_mode != ModeLoop) {
        OnTrackEnded(track);
    } else {
        StopCommand();
    }
}

float CPlayer::GainForEntry(const QString& path) const {
    const int selection = m_host.GetSelection();
    const int index = selection >= 0 && m_host.GetEntry(selection) == path ? selection : -1;
    return TrackGain(settings::playbackSettings()).FactorForFile(path, [&](int offset) {
        const int other = index + offset;
        return index >= 0 && other >= 0 && other < m_host.GetCount() ? m_host.GetEntry(other)
                                                                     : QString();
    });
}

void CPlayer::ReportTrackError(const errors::CException& error, const QString& entry) {
    if (!options().ignoreErrors) {
        m_host.ShowTrackError(error, entry);
    }
}

void CPlayer::PostCommand(int id) {
    QMetaObject::invokeMethod(
        this, [this, id] { ExecuteCommand(id); }, Qt::QueuedConnection);
}

}  // namespace tavi::engines
