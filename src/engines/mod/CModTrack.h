#pragma once

#include "CModWatcher.h"
#include "ModControlHost.h"
#include "engines/CMediaTrack.h"

#include <memory>

namespace tavi::engines {

// A tracker module (".mod", ".s3m", ".xm", ".it", zip-compressed ".mdz"/".itz" and the other
// kinds the library reads), played by the module library through a player handle. Positions
// and the length are the library's units of 100 ms; the end of the piece is noticed by a
// watcher thread that polls the position. Opened paused at 0; the "MOD Control" dialog, whose
// control 2107 shows the library's panel, appears when the track first plays.
class CModTrack : public CMediaTrack {
public:
    // What the library is asked for: its panel with controls and levels, and to start on load
    // (the track holds it paused until Play).
    static constexpr const char* kPlayerParameters = "controls|spectrum|autostart|true";
    static constexpr int kCloseWaitMilliseconds = 2000;

    CModTrack() = default;
    ~CModTrack() override;

    void Open(const QString& fileName) override;
    // Opened like any open; its dialog shows only once it plays.
    bool OpenAhead(const QString& fileName) override;
    void Close() override;
    void Play() override;
    void PlayRange(double from, double to) override;
    void Stop() override;
    void Pause() override;
    void Resume() override;
    bool IsStopped() override;
    bool IsPaused() override { return m_state && m_state->paused; }
    bool IsPlaying() override;
    double GetPosition() override;
    void Seek(double position) override;
    bool HasVolume() override { return true; }
    void SetVolume(float level) override;
    float GetVolume() override;

    // The dialog, while the track has one (tests).
    ModControlWindow* ControlWindow() const { return m_dialog.get(); }
    bool IsWatching() const { return m_watcher.IsRunning(); }

private:
    const CNPModDll::Entries& Dll() const { return *m_state->dll; }
    bool HasPlayer() const { return m_state && m_state->player; }
    void StartWatcher();
    void DestroyPlayer();

    std::shared_ptr<ModTrackState> m_state;  // with the player handle, shared with the watcher
    std::unique_ptr<ModControlWindow> m_dialog;
    CModWatcher m_watcher;
};

}  // namespace tavi::engines
