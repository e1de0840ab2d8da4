#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

namespace tavi::gst {

// Threads kept waiting for pipeline work that may block for ever (opening, prerolling and
// stopping a file's pipeline). A job never waits for a free thread: when none is idle, one
// more is started; one that never returns simply stays busy. Waking a waiting thread is
// quick even on a loaded machine, where a new thread may wait a whole scheduling period
// before it first runs. The threads are detached and the pool is never destroyed, so they
// hold up neither anything nor the end of the process.
class PipelineWorkers {
public:
    static void Run(std::function<void()> job);

private:
    PipelineWorkers() = default;
    static PipelineWorkers& Instance();
    void Post(std::function<void()> job);
    void StartThread();
    void Serve();

    // The following fields are protected by m_mutex; idle threads wait on m_wake.
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::function<void()>> m_jobs;
    size_t m_idle = 0;
};

}  // namespace tavi::gst
