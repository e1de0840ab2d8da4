#pragma once

#include "CPauseThread.h"
#include "engines/CMediaTrack.h"

namespace tavi::engines {

// A pause entry: "10.pause" waits ten seconds as if a silent track played.
class CPauseTrack : public CMediaTrack {
public:
    CPauseTrack() = default;
    ~CPauseTrack() override;

    // The length in seconds that a pause entry's name gives: its base name read as a whole
    // number ("%ld"); 1 when it does not start with one.
    static long LengthFromName(const QString& fileName);

    void Open(const QString& fileName) override;
    void Close() override;
    void Play() override { m_thread.Play(); }
    void PlayRange(double from, double to) override { m_thread.PlayRange(from, to); }
    void Stop() override { m_thread.Stop(); }
    void Pause() override { m_thread.Pause(); }
    void Resume() override { m_thread.Resume(); }
    bool IsStopped() override { return m_thread.IsStopped(); }
    bool IsPaused() override { return m_thread.IsPaused(); }
    bool IsPlaying() override { return m_thread.IsPlaying(); }
    double GetPosition() override { return m_thread.GetPosition(); }
    double GetLength() override { return m_thread.GetLength(); }
    void Seek(double position) override { m_thread.Seek(position); }
    // Tests drive the time.
    void SetClock(CPauseThread::Clock clock) { m_thread.SetClock(std::move(clock)); }

private:
    CPauseThread m_thread;
};

}  // namespace tavi::engines
