// The player's command table: what each command id does, when it is enabled and when its
// menu item is checked.
#include "CPlayer.h"
#include "engines/CMediaTrack.h"
#include "engines/VideoWindowHost.h"

#include <algorithm>
#include <iterator>

namespace tavi::engines {

using namespace playercmd;

class CPlayer::CommandTable {
public:
    struct Entry {
        int id;
        void (*run)(CPlayer&);
        bool (*enabled)(const CPlayer&);
        bool (*checked)(const CPlayer&);
    };

    static const Entry* Find(int id);

private:
    static bool Always(const CPlayer&) { return true; }
    static bool Never(const CPlayer&) { return false; }
    static bool Playing(const CPlayer& p) { return p.IsPlaying(); }
    static bool Selected(const CPlayer& p) { return p.m_host.GetSelection() >= 0; }
    static bool PlayingOrSelected(const CPlayer& p) { return Playing(p) || Selected(p); }
    static bool NextEnabled(const CPlayer& p) {
        const int selection = p.m_host.GetSelection();
        const int count = p.m_host.GetCount();
        return (selection >= 0 && selection < count - 1) || (p.m_mode == ModeRepeat && count > 0) ||
               (p.m_mode == ModeRandom && count > 0 && p.IsPlaying());
    }
    static void SetupDevice(CPlayer& p) {
        if (CMediaTrack* track = p.m_host.GetCurrentTrack(); track && track->CanSetupDevice()) {
            track->SetupDevice(nullptr);
        }
    }
    static bool VideoPlays(const CPlayer& p) {
        return p.IsPlaying() && p.m_host.GetCurrentTrack()->HasVideo() && videoWindowHost();
    }
    static void ToggleVideoFullScreen(CPlayer&) {
        VideoWindowHost* host = videoWindowHost();
        host->SetFullScreen(!host->IsFullScreen());
    }
    template <uint32_t Mode>
    static constexpr Entry ModeEntry(int id) {
        return {id, [](CPlayer& p) { p.ToggleMode(Mode); }, Always,
                [](const CPlayer& p) { return p.m_mode == Mode; }};
    }

    static const Entry kEntries[];
};

const CPlayer::CommandTable::Entry CPlayer::CommandTable::kEntries[] = {
    {kPlay, [](CPlayer& p) { p.PlayCommand(); }, PlayingOrSelected, Playing},
    {kStop, [](CPlayer& p) { p.StopCommand(); }, Playing, Never},
    {kStopFaded, [](CPlayer& p) { p.FadeOutAndStop(); }, Playing, Never},
    {kPause, [](CPlayer& p) { p.PauseCommand(); }, PlayingOrSelected,
     [](const CPlayer& p) { return p.IsPaused(); }},
    {kPlayPause, [](CPlayer& p) { p.IsPlaying() ? p.PauseCommand() : p.PlayCommand(); }, Selected,
     Never},
    {kNext, [](CPlayer& p) { p.NextCommand(); }, NextEnabled, Never},
    {kPrevious, [](CPlayer& p) { p.PreviousCommand(); },
     [](const CPlayer& p) { return p.m_host.GetSelection() >= 1; }, Never},
    {kFastForward, [](CPlayer& p) { p.FastForward(); }, Playing, Never},
    {kRewind, [](CPlayer& p) { p.Rewind(); }, Playing, Never},
    ModeEntry<ModeIntro>(kIntroScan),
    ModeEntry<ModeRandom>(kRandom),
    ModeEntry<ModeShuffle>(kShuffle),
    ModeEntry<ModeRepeat>(kRepeat),
    {kLoop, [](CPlayer& p) { p.LoopCommand(); }, PlayingOrSelected,
     [](const CPlayer& p) { return p.m_mode == ModeLoop; }},
    {kSetupDevice, SetupDevice,
     [](const CPlayer& p) { return p.IsPlaying() && p.m_host.GetCurrentTrack()->CanSetupDevice(); },
     Never},
    {kFullScreen, ToggleVideoFullScreen, VideoPlays,
     [](const CPlayer& p) { return VideoPlays(p) && videoWindowHost()->IsFullScreen(); }},
};

const CPlayer::CommandTable::Entry* CPlayer::CommandTable::Find(int id) {
    const auto* found = std::find_if(std::begin(kEntries), std::end(kEntries),
                                     [id](const Entry& entry) { return entry.id == id; });
    return found == std::end(kEntries) ? nullptr : found;
}

bool CPlayer::ExecuteCommand(int id) {
    const CommandTable::Entry* entry = CommandTable::Find(id);
    if (!entry || !entry->run) {
        return false;
    }
    entry->run(*this);
    return true;
}

bool CPlayer::IsPlayerCommand(int id) {
    return CommandTable::Find(id) != nullptr;
}

bool CPlayer::IsCommandEnabled(int id) const {
    const CommandTable::Entry* entry = CommandTable::Find(id);
    return entry && entry->enabled(*this);
}

bool CPlayer::IsCommandChecked(int id) const {
    const CommandTable::Entry* entry = CommandTable::Find(id);
    return entry && entry->checked(*this);
}

}  // namespace tavi::engines
