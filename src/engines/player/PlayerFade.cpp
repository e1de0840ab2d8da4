// Stopping with the fade: the master volume goes down in steps from the event loop, then the
// track stops and the volume comes back, and only then does the command that stopped go on
// (Next plays the next entry, say). Commands that change the track end a running fade at
// once, so that they act on a stopped player as they would after the fade.
#include "CPlayer.h"

#include "app/settings/PlayerSettings.h"

#include <utility>

namespace tavi::engines {

bool CPlayer::IsFading() const {
    return m_fade->IsRunning();
}

void CPlayer::SetFadeSchedule(mixer::FadeOut::Schedule schedule) {
    m_fade = std::make_unique<mixer::FadeOut>(std::move(schedule));
}

void CPlayer::FadeOutAndStop(std::function<void()> then) {
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

}  // namespace tavi::engines
