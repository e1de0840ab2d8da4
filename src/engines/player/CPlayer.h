#pragma once

#include "PlayModes.h"
#include "PlayerHost.h"
#include "engines/CMediaTrackCallback.h"

#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>

namespace tavi::engines {

// Plays the playlist: turns the player commands into calls on one track at a time and
// decides what plays next when a track ends or fails. There is no queue and no history:
// what comes next is always worked out from the selection, the entry count and the play
// mode at that moment. Lives on the UI thread.
class CPlayer : public QObject, public CMediaTrackCallback {
    Q_OBJECT
public:
    // How the tray icon should look: stopped (or playing without animation), playing
    // (animated when "AnimateIcon" is on) or paused.
    enum class TrayState { Stopped, Playing, Paused };

    explicit CPlayer(PlayerHost& host, QObject* parent = nullptr);

    uint32_t GetMode() const { return m_mode; }
    void SetMode(uint32_t mode);
    bool IsPlaying() const { return m_host.GetCurrentTrack() != nullptr; }
    bool IsPaused() const;

    void PlayFile(const QString& path);
    void PlaySelected();
    void PlayCommand();
    void StopCommand();
    void FadeOutAndStop();
    void PauseCommand();
    void NextCommand();
    void PreviousCommand();
    void LoopCommand();
    void PlayDoubleClicked();
    void FastForward();
    void Rewind();
    void SeekTo(double seconds);
    void WheelSeek(int delta);
    // Intro Scan, Random Play, Auto Shuffle, Repeat Playlist: switch the mode on or back to 0.
    void ToggleMode(uint32_t mode);
    int NextEntryIndex() const;

    // Runs a player command by id; false when the id is not a player command.
    bool ExecuteCommand(int id);
    // Runs the command later, from the event loop, as a posted menu command would.
    void PostCommand(int id);
    bool IsCommandEnabled(int id) const;
    static bool IsPlayerCommand(int id);
    bool IsCommandChecked(int id) const;

    void OnTrackEnded(CMediaTrack* track) override;
    void OnTrackError(CMediaTrack* track, std::unique_ptr<errors::CException> error) override;
    void ReportTrackError(const errors::CException& error);

    // Played before each ".mid" entry when "SendReset" is on (the MIDI engine sets it).
    void SetMidiResetHandler(std::function<void(const QString& resetFile)> handler) {
        m_midiReset = std::move(handler);
    }
    // The file of the track opened ahead for the next entry ("" when none), and how many
    // tracks opened ahead were played; for diagnostics and tests.
    QString PreparedFile() const;
    int PreparedTracksUsed() const { return m_preparedUsed; }

    // Stands in for the mixer fade in tests that must not wait; empty: the real fade.
    void SetFadeOutHandler(std::function<void(const std::function<void()>& stop)> handler) {
        m_fadeOut = std::move(handler);
    }

Q_SIGNALS:
    void trackStarted(const QString& displayName);  // the frame's title shows it
    void trackStopped();                            // the frame shows the playlist's title again
    void trayStateChanged(CPlayer::TrayState state, const QString& tooltip);
    void modeChanged(uint32_t mode);

private:
    class CommandTable;
    // A track opened ahead, and what the list looked like then: it is played only if the
    // entry chosen at the end is that same entry of that same list, in that same mode.
    struct PreparedTrack {
        std::unique_ptr<CMediaTrack> track;  // null: the entry cannot be opened ahead
        int index = -1;
        QString path;
        uint32_t mode = ModeNormal;
        int count = 0;
    };

    void StartTrack(CMediaTrack& track, const QString& path);
    void BeginPlaying(CMediaTrack& track);
    void PrepareNext();
    int PreparableIndex() const;
    bool PreparedMatches(int index, const QString& path) const;
    std::unique_ptr<CMediaTrack> TakePrepared(const QString& path);
    void DiscardPrepared();
    void DiscardPreparedWhenIdle();
    bool SelectionIsLast() const;
    void ResumeCurrent(CMediaTrack& track);
    void AfterTrackEnded();
    template <typename Action>
    void Guarded(Action action);

    PlayerHost& m_host;
    uint32_t m_mode = ModeNormal;
    QString m_playingName;
    std::function<void(const QString&)> m_midiReset;
    std::function<void(const std::function<void()>&)> m_fadeOut;
    QTimer m_prepareTimer;
    std::optional<PreparedTrack> m_prepared;
    double m_endTime = 0.0;  // where the playing track ends (its intro range, in Intro Scan)
    int m_preparedUsed = 0;
};

}  // namespace tavi::engines
