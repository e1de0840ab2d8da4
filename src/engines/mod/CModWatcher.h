#pragma once

#include "CNPModDll.h"

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace tavi::engines {

// What a module track shares with its watcher, so that a watcher that outlives its track
// (a Close that could not wait for it) still reads valid memory. The player handle is fixed
// once the watcher runs; the library answers a destroyed handle with zeros.
struct ModTrackState {
    const CNPModDll::Entries* dll = nullptr;
    std::atomic<void*> player = nullptr;
    double length = 1.0;  // seconds; fixed before the watcher starts
    std::atomic<bool> paused = false;
    std::atomic<double> savedPosition = 0.0;  // seconds, the position at Pause
    std::atomic<double> stopAt = -1.0;        // the end of a PlayRange; -1: to the end
    std::atomic<bool> stopRequested = false;  // no end is reported once it is set

    // The track's position: the saved one while paused, else the library's.
    double Position() const;
    // Sets stopRequested and wakes a watcher that sleeps.
    void RequestStop();
    // Sleeps up to milliseconds, less when a stop is requested; true when one is.
    bool SleepUnlessStopped(int milliseconds);

private:
    std::mutex m_mutex;  // guards nothing but the waits on m_wake
    std::condition_variable m_wake;
};

// The polling thread of a module track: every 100 ms it compares the position with the end
// (0.1 s before the length, or the end of a PlayRange); then, 200 ms later, it posts the end
// of play unless a stop was requested meanwhile. It reports the end at most once.
class CModWatcher {
public:
    static constexpr int kPollMilliseconds = 100;
    static constexpr double kEarlyEndSeconds = 0.1;
    static constexpr int kEndDelayMilliseconds = 200;

    CModWatcher() = default;
    // Waited for at most 1000 ms; one still running then is left to end by itself.
    ~CModWatcher();
    CModWatcher(const CModWatcher&) = delete;
    CModWatcher& operator=(const CModWatcher&) = delete;

    void Start(std::shared_ptr<ModTrackState> state, std::function<void()> postEnd);
    bool IsRunning() const { return m_thread.joinable() && !m_done->load(); }
    // Waits at most milliseconds; true when the thread ended (and was joined).
    bool WaitFor(int milliseconds);

private:
    static void Watch(const std::shared_ptr<ModTrackState>& state,
                      const std::function<void()>& postEnd);

    std::thread m_thread;
    // Set by the thread as its last step; shared, as the thread may outlive this object.
    std::shared_ptr<std::atomic<bool>> m_done = std::make_shared<std::atomic<bool>>(true);
};

}  // namespace tavi::engines
