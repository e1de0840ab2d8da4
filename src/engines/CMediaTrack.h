#pragma once

#include "CMediaTrackNotifyWnd.h"

#include <QString>

#include <chrono>
#include <cstdint>
#include <optional>

class QWidget;

namespace tavi::engines {

class CMediaTrackCallback;

// One playable entry, behind the interface every engine implements. Created unopened by
// CreateTrackForFile, opened once, played, paused, resumed and stopped any number of
// times, then closed (by Close or the destructor; each engine's destructor calls its own
// Close). All operations run on the UI thread. Failures throw a CException subclass;
// failures after Play returned arrive as CMediaTrackCallback::OnTrackError. Times are
// seconds; volume levels run from 0.0 (silent) to 1.0 (the level found at Open).
class CMediaTrack {
public:
    virtual ~CMediaTrack();
    CMediaTrack(const CMediaTrack&) = delete;
    CMediaTrack& operator=(const CMediaTrack&) = delete;

    // Stores the name and starts the notify path. Engines call the base first.
    virtual void Open(const QString& fileName);
    // Engines stop and release their device first, then call the base. Never throws.
    virtual void Close();
    // Opens fileName while another track plays, so that it can start the moment that one
    // ends. False when this engine cannot be opened ahead; the track is then discarded.
    virtual bool OpenAhead(const QString& /*fileName*/) { return false; }
    // False once a track opened ahead turned out not to be playable as opened (an open
    // that ended in the background found video); the owner then opens the entry again.
    virtual bool IsUsableAhead() { return true; }
    // An open that went on in the background ended (posted by the engine's worker).
    virtual void OnOpenEnded() {}
    // True while an open goes on in the background (the length is not known yet).
    virtual bool IsOpening() const { return false; }
    // Blocks until an open going on in the background has ended, at most `wait`, and takes
    // its outcome as OnOpenEnded would. For callers that need the length now.
    virtual void WaitForOpen(std::chrono::milliseconds /*wait*/) {}
    virtual void Play() = 0;
    virtual void PlayRange(double from, double to) = 0;
    virtual void Stop() = 0;
    virtual void Pause() = 0;
    virtual void Resume() = 0;
    virtual bool IsStopped() = 0;
    virtual bool IsPaused() = 0;
    virtual bool IsPlaying() = 0;
    virtual double GetPosition() { return 0.0; }
    virtual double GetLength() { return m_length; }
    // Positions outside the track are the engine's to handle.
    virtual void Seek(double /*position*/) {}
    virtual bool HasVideo() { return false; }
    virtual QString GetFileName() const { return m_fileName; }
    virtual bool CanSetupDevice() { return false; }
    virtual void SetupDevice(QWidget* /*parent*/) {}
    virtual bool HasVolume() { return false; }
    virtual void SetVolume(float /*level*/) {}
    virtual float GetVolume() { return 0.0f; }
    // Opens fileName, reads its length and closes again; errors pass to the caller.
    virtual double GetFileLength(const QString& fileName);
    virtual void OnVideoSize(uint32_t /*sizeType*/, int /*width*/, int /*height*/) {}
    virtual void OnVideoClose() {}

    // The level the track's sound plays at (its loudness correction), set before it opens
    // or plays so that it holds from the first sample. Engines that write to the output
    // without a lane of their own set the level of all such sound.
    virtual void SetGain(float gain);
    // Crossfading: a track with a lane of its own on the shared output can cross another.
    virtual bool CanCrossfade() { return false; }
    // Rises from silence over its first `seconds`, its sound starting at that frame of the
    // output (at once without one). Set before it plays.
    virtual void CrossfadeIn(double /*seconds*/, std::optional<uint64_t> /*startFrame*/) {}
    // Falls to silence over `seconds` from its stream time `from` (from now without one).
    virtual void CrossfadeOut(std::optional<double> /*from*/, double /*seconds*/) {}
    // The output frame its sound at that time of the track goes to; nothing when unknown.
    virtual std::optional<uint64_t> OutputFrameAt(double /*seconds*/) { return std::nullopt; }

    CMediaTrackCallback* GetCallback() const { return m_callback; }
    // Set once by the factory right after construction.
    void SetCallback(CMediaTrackCallback* callback) { m_callback = callback; }
    const CMediaTrackNotifyWnd& GetNotifyWnd() const { return m_notifyWnd; }

protected:
    CMediaTrack() = default;

    CMediaTrackNotifyWnd m_notifyWnd;
    CMediaTrackCallback* m_callback = nullptr;  // not owned
    QString m_fileName;
    double m_length = 1.0;  // engines that measure lazily set -1.0, "unknown"
};

}  // namespace tavi::engines
