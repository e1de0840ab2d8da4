#pragma once

#include "PlayModes.h"
#include "PlayerHost.h"
#include "engines/CMediaTrackCallback.h"
#include "mixer/FadeOut.h"

#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

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
    ~CPlayer() override;  // a running fade is dropped, the volume put back

    uint32_t GetMode() const { return m_mode; }
    void SetMode(uint32_t mode);
    bool IsPlaying() const { return m_host.GetCurrentTrack() != nullptr; }
    bool IsPaused() const;

    void PlayFile(const QString& path);
    void PlaySelected();
    void PlayCommand();
    // Stops at once. During a fade, the fade ends now and what was to follow it is dropped:
    // a stop means the player stays stopped.
    void StopCommand();
    // Stops, with the fade when "FadeOut" is on, then runs then (the rest of a command),
    // from the event loop once the fade is over. During a fade no second fade starts: a
    // plain stop drops what was to follow the running one, a continuation waits for it.
    void FadeOutAndStop(std::function<void()> then = {});
    bool IsFading() const;
    void PauseCommand();
    void NextCommand();
    void PreviousCommand();
    void LoopCommand();
    void PlayDoubleClicked();
    void FastForward();
    void Rewind();
    void SeekTo(double seconds);
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
    void ReportTrackError(const errors::CException& error, const QString& entry = {});

    // Played before each ".mid" entry when "SendReset" is on (the MIDI engine sets it).
    void SetMidiResetHandler(std::function<void(const QString& resetFile)> handler) {
        m_midiReset = std::move(handler);
    }
    // The file of the track opened ahead for the next entry ("" when none), and how many
    // tracks opened ahead were played; for diagnostics and tests.
    QString PreparedFile() const;
    int PreparedTracksUsed() const { return m_preparedUsed; }

    // How the fades' steps are timed (stop, pause and resume); tests drive them. Empty: a
    // timer.
    void SetFadeSchedule(mixer::FadeOut::Schedule schedule);
    // A pause or resume fading the volume now.
    bool IsPauseFading() const;
    // The track that fades out under the current one during a crossfade (null when none);
    // for tests.
    CMediaTrack* FadingOutTrack() const { return m_fadingOut.get(); }
    int CrossfadesStarted() const { return m_crossfades; }

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

    void StopPlaying();
    void BeginPlaying(CMediaTrack& track);
    void PrepareNext();
    double PrepareAheadSeconds() const;
    bool CrossfadeFits(CMediaTrack& track) const;
    bool AutoCrossfadeDue(double remaining) const;
    void StartAutoCrossfade();
    bool StartManualCrossfade();
    void HandOverToFadeOut(double seconds);
    void ApplyCrossfadeIn(CMediaTrack& track);
    void DropFadingOut();
    bool IsFadingOut(CMediaTrack* track) const;
    int PreparableIndex() const;
    bool PreparedMatches(int index, const QString& path) const;
    std::unique_ptr<CMediaTrack> TakePrepared(const QString& path);
    void DiscardPrepared();
    void DiscardPreparedWhenIdle();
    bool SelectionIsLast() const;
    void ResumeCurrent(CMediaTrack& track);
    void PauseCurrent(CMediaTrack& track);
    void EndPauseFadeFirst();
    float GainForEntry(const QString& path) const;
    void AfterTrackEnded();
    void EndFadeFirst();
    void RunAfterFade();
    void StopThenMove(void (CPlayer::*move)(bool play));
    void MoveToNext(bool play);
    void MoveToPrevious(bool play);
    template <typename Action>
    void Guarded(Action action);

    PlayerHost& m_host;
    uint32_t m_mode = ModeNormal;
    QString m_playingName;
    std::function<void(const QString&)> m_midiReset;
    std::unique_ptr<mixer::FadeOut> m_fade;
    std::vector<std::function<void()>> m_afterFade;  // what follows the running fade
    std::unique_ptr<mixer::FadeOut> m_pauseFade;     // pausing and resuming
    // How often the playing track is looked at for opening the next one ahead: fast near
    // the moment, at least once a second before it.
    static constexpr int kPrepareCheckMs = 200;
    static constexpr int kPrepareLongestCheckMs = 1000;
    QTimer m_prepareTimer;
    std::optional<PreparedTrack> m_prepared;
    double m_endTime = 0.0;  // where the playing track ends (its intro range, in Intro Scan)
    // Crossfading: the track going out, closed when its fade is over; and how the next
    // track to start comes in (its fade, and the output frame its sound starts at).
    struct CrossfadeIn {
        double seconds;
        std::optional<uint64_t> startFrame;
    };
    std::unique_ptr<CMediaTrack> m_fadingOut;
    QTimer m_fadingOutTimer;
    std::optional<CrossfadeIn> m_crossfadeIn;
    int m_crossfades = 0;
    int m_preparedUsed = 0;
};

// Runs a track operation; an engine error is reported, never thrown to the command loop.
template <typename Action>
void CPlayer::Guarded(Action action) {
    try {
        action();
    } catch (const errors::CException& error) {
        const CMediaTrack* track = m_host.GetCurrentTrack();
        ReportTrackError(error, track ? track->GetFileName() : QString());
    }
}

}  // namespace tavi::engines
