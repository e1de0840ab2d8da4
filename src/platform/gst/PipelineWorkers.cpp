#include "PipelineWorkers.h"

#include <thread>

namespace tavi::gst {

namespace {
// Ready from the start: an open and the release of the track before it often overlap.
constexpr int kThreadsAtStart = 2;
}  // namespace

PipelineWorkers& PipelineWorkers::Instance() {
    static PipelineWorkers* workers = [] {
        auto* pool = new PipelineWorkers;  // lives as long as the program, as its threads do
        for (int i = 0; i < kThreadsAtStart; ++i) {
            pool->StartThread();
        }
        return pool;
    }();
    return *workers;
}

void PipelineWorkers::Run(std::function<void()> job) {
    Instance().Post(std::move(job));
}

void PipelineWorkers::Post(std::function<void()> job) {
    bool needThread = false;
    {
        std::scoped_lock lock(m_mutex);
        m_jobs.push_back(std::move(job));
        needThread = m_jobs.size() > m_idle;
    }
    if (needThread) {
        StartThread();
    } else {
        m_wake.notify_one();
    }
}

void PipelineWorkers::StartThread() {
    std::thread([this] { Serve(); }).detach();
}

void PipelineWorkers::Serve() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        ++m_idle;
        m_wake.wait(lock, [this] { return !m_jobs.empty(); });
        --m_idle;
        std::function<void()> job = std::move(m_jobs.front());
        m_jobs.pop_front();
        lock.unlock();
        job();
        job = nullptr;  // what it holds is released before the thread waits again
        lock.lock();
    }
}

}  // namespace tavi::gst
