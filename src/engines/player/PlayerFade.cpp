// Stopping with the fade: the master volume goes down in steps from the event loop, then the
// track stops and the volume comes back, and only then does the command that stopped go on
// (Next plays the next entry, say). Commands that change the track end a running fade at
// once, so that they act on a stopped player as they would after the fade.
#include "CPlayer.h"

#include "app/settings/PlaybackSettings.h"
#include "app/settings/PlayerSettings.h"

#include <cmath>
#include <utility>

namespace tavi::engines {

bool CPlayer::IsFading() const {
    return m_fade->IsRunning();
}

void CPlayer::SetFadeSchedule(mixer::FadeOut::Schedule schedule) {
    m_fade = std::make_unique<mixer::FadeOut>(schedule);
    m_pauseFade = std::make_unique<mixer::FadeOut>(std::move(schedule));
}

void CPlayer::FadeOutAndStop(std::function<void()> then) {
    EndPauseFadeFirst();
    if (!then && IsFading()) {
        m_afterFade.clear();  // a second stop: only the stop remains to come
    }
    if (then) {
        m_afterFade.push_back(std::move(then));
    }
    if (IsFading()) {
        return;
    }
    auto stop = [this] {
        if (IsPlaying()) {
            StopCommand();
        }
    };
    if (!settings::playerSettings().fadeOut) {
        stop();
        RunAfterFade();
        return;
    }
    m_host.SetBusy(true);
    m_fade->Start(stop, [this](bool faded) {
        if (!faded) {
            settings::playerSettings().fadeOut = false;  // the mixer cannot be used
        }
        m_host.SetBusy(false);
        RunAfterFade();
    });
}

void CPlayer::EndFadeFirst() {
    EndPauseFadeFirst();
    if (IsFading()) {
        m_fade->Finish();
    }
}

// A continuation may stop with a fade again (Next from the new track); its own follows that.
void CPlayer::RunAfterFade() {
    std::vector<std::function<void()>> continuations = std::exchange(m_afterFade, {});
    for (const std::function<void()>& then : continuations) {
        then();
    }
}

// Pausing and resuming with "FadePause" on take the stop fade's road over their own length:
// down in steps, then the pause; or silence, the resume, then up in steps. The pause itself
// never waits on the mixer: one that fails pauses at once and switches the fade off.
namespace {

int PauseFadeStepMs() {
    return int(
        std::lround(settings::playbackSettings().fadePauseMs / double(mixer::FadeOut::kSteps)));
}

void SwitchOffPauseFadeUnlessFaded(bool faded) {
    if (!faded) {
        settings::playbackSettings().fadePause = false;
    }
}

}  // namespace

bool CPlayer::IsPauseFading() const {
    return m_pauseFade->IsRunning();
}

void CPlayer::EndPauseFadeFirst() {
    if (IsPauseFading()) {
        m_pauseFade->Finish();
    }
}

void CPlayer::PauseCurrent(CMediaTrack& track) {
    DropFadingOut();  // a pause is heard at once, not under a track still going out
    if (!settings::playbackSettings().fadePause) {
        track.Pause();
        Q_EMIT trayStateChanged(TrayState::Paused, m_playingName);
        return;
    }
    // Run from the fade's last step: the track is looked up again then.
    auto pause = [this] {
        CMediaTrack* current = m_host.GetCurrentTrack();
        if (current && !current->IsPaused()) {
            Guarded([&] { current->Pause(); });
            Q_EMIT trayStateChanged(TrayState::Paused, m_playingName);
        }
    };
    m_pauseFade->Start(pause, SwitchOffPauseFadeUnlessFaded, PauseFadeStepMs());
}

void CPlayer::ResumeCurrent(CMediaTrack& track) {
    auto resume = [this, &track] {
        Guarded([&] { track.Resume(); });
        Q_EMIT trayStateChanged(TrayState::Playing, m_playingName);
    };
    if (!settings::playbackSettings().fadePause) {
        track.Resume();
        Q_EMIT trayStateChanged(TrayState::Playing, m_playingName);
        return;
    }
    m_pauseFade->StartRise(resume, SwitchOffPauseFadeUnlessFaded, PauseFadeStepMs());
}

}  // namespace tavi::engines
