#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

namespace tavi::engines {

class CMediaTrack;

// Times a pause entry (and the run of a live-input entry): a worker thread ticks every 100 ms and,
// once the position reaches the end of the run, posts the end message to the owner's notify path
// once. Pausing freezes the position and parks the worker; Seek works in any state. The position
// comes from a clock that tests can replace, so they drive the time instead of waiting for it.
class CPauseThread {
public:
    enum State { Closed = 0, Stopped = 1, Paused = 2, Playing = 3 };
    static constexpr int kTickMilliseconds = 100;
    // Milliseconds of a monotonic clock; called on the UI thread and the worker.
    using Clock = std::function<int64_t()>;

    CPauseThread() = default;
    virtual ~CPauseThread();
    CPauseThread(const CPauseThread&) = delete;
    CPauseThread& operator=(const CPauseThread&) = delete;

    virtual void Init(double length, CMediaTrack* owner);
    virtual void Close();
    virtual void Play();
    virtual void PlayRange(double from, double to);
    virtual void Stop();
    virtual void Pause();
    virtual void Resume();
    virtual bool IsStopped() const { return m_state == Stopped; }
    virtual bool IsPlaying() const { return m_state == Playing; }
    virtual bool IsPaused() const { return m_state == Paused; }
    virtual double GetPosition() const;
    virtual double GetLength() const { return m_length; }
    virtual void Seek(double position);
    // Replaces the steady clock; set before playing.
    void SetClock(Clock clock) { m_clock = std::move(clock); }

private:
    static int64_t SteadyMilliseconds();
    int64_t NowMilliseconds() const;
    void Run();
    double PositionLocked() const;

    CMediaTrack* m_owner = nullptr;
    Clock m_clock;
    double m_length = 0.0;
    std::thread m_worker;
    std::atomic<int64_t> m_startTick = 0;  // written by the UI thread, read by the worker
    std::atomic<int> m_state = Closed;

    // The following fields are protected by m_mutex; the worker waits on m_wake.
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    double m_basePosition = 0.0;
    double m_endPosition = 0.0;
    bool m_workerPaused = false;
    bool m_quit = false;
};

}  // namespace tavi::engines
