// The player's command table: what each command id does, and when it is enabled or checked.
#include "CPlayer.h"

#include <algorithm>
#include <iterator>

namespace tavi::engines {

using namespace playercmd;

bool CPlayer::ExecuteCommand(int id) {
    switch (id) {
        case kPlay:
            PlayCommand();
            return true;
        case kStop:
            StopCommand();
            return true;
        case kStopFaded:
            FadeOutAndStop();
            return true;
        case kPause:
            PauseCommand();
            return true;
        case kPlayPause:
            IsPlaying() ? PauseCommand() : PlayCommand();
            return true;
        case kNext:
            NextCommand();
            return true;
        case kPrevious:
            PreviousCommand();
            return true;
        case kFastForward:
            FastForward();
            return true;
        case kRewind:
            Rewind();
            return true;
        case kIntroScan:
            ToggleMode(ModeIntro);
            return true;
        case kRandom:
            ToggleMode(ModeRandom);
            return true;
        case kShuffle:
            ToggleMode(ModeShuffle);
            return true;
        case kRepeat:
            ToggleMode(ModeRepeat);
            return true;
        case kLoop:
            LoopCommand();
            return true;
        case kSetupDevice:
            if (CMediaTrack* track = m_host.GetCurrentTrack(); track && track->CanSetupDevice()) {
                track->SetupDevice(nullptr);
            }
            return true;
        default:
            return false;
    }
}

bool CPlayer::IsPlayerCommand(int id) {
    static const int kCommands[] = {kPlay,    kStop,        kPause,      kFastForward,
                                    kRewind,  kNext,        kPrevious,   kIntroScan,
                                    kRandom,  kSetupDevice, kStopFaded,  kRepeat,
                                    kShuffle, kPlayPause,   kFullScreen, kLoop};
    return std::find(std::begin(kCommands), std::end(kCommands), id) != std::end(kCommands);
}

bool CPlayer::IsCommandEnabled(int id) const {
    const bool playing = IsPlaying();
    const int selection = m_host.GetSelection();
    const bool selected = selection >= 0;
    const int count = m_host.GetCount();
    switch (id) {
        case kPlay:
        case kPause:
        case kLoop:
            return playing || selected;
        case kPlayPause:
            return selected;
        case kStop:
        case kStopFaded:
        case kFastForward:
        case kRewind:
            return playing;
        case kNext:
            return (selected && selection < count - 1) || (m_mode == ModeRepeat && count > 0) ||
                   (m_mode == ModeRandom && count > 0 && playing);
        case kPrevious:
            return selection >= 1;
        case kIntroScan:
        case kRandom:
        case kShuffle:
        case kRepeat:
            return true;
        case kFullScreen:
            return playing && m_host.GetCurrentTrack()->HasVideo();
        case kSetupDevice:
            return playing && m_host.GetCurrentTrack()->CanSetupDevice();
        default:
            return false;
    }
}

bool CPlayer::IsCommandChecked(int id) const {
    switch (id) {
        case kPlay:
            return IsPlaying();
        case kPause:
            return IsPaused();
        case kIntroScan:
            return m_mode == ModeIntro;
        case kRandom:
            return m_mode == ModeRandom;
        case kShuffle:
            return m_mode == ModeShuffle;
        case kRepeat:
            return m_mode == ModeRepeat;
        case kLoop:
            return m_mode == ModeLoop;
        default:
            return false;
    }
}

}  // namespace tavi::engines
