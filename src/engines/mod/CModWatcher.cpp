#include "CModWatcher.h"

#include <chrono>

namespace tavi::engines {

double ModTrackState::Position() const {
    if (paused) {
        return savedPosition;
    }
    return dll->getCurrentPosition(player) * 100 / 1000.0;
}

void ModTrackState::RequestStop() {
    {
        std::lock_guard lock(m_mutex);
        stopRequested = true;
    }
    m_wake.notify_all();
}

bool ModTrackState::SleepUnlessStopped(int milliseconds) {
    std::unique_lock lock(m_mutex);
    return m_wake.wait_for(lock, std::chrono::milliseconds(milliseconds),
                           [this] { return stopRequested.load(); });
}

CModWatcher::~CModWatcher() {
    if (!WaitFor(1000) && m_thread.joinable()) {
        m_thread.detach();  // it holds the shared state and ends at its next poll
    }
}

void CModWatcher::Start(std::shared_ptr<ModTrackState> state, std::function<void()> postEnd) {
    if (m_thread.joinable()) {
        if (!WaitFor(0)) {
            return;  // still watching
        }
    }
    m_done = std::make_shared<std::atomic<bool>>(false);
    m_thread = std::thread([state = std::move(state), postEnd = std::move(postEnd), done = m_done] {
        Watch(state, postEnd);
        *done = true;
    });
}

void CModWatcher::Watch(const std::shared_ptr<ModTrackState>& state,
                        const std::function<void()>& postEnd) {
    while (!state->stopRequested) {
        const double position = state->Position();
        if (position >= state->length - kEarlyEndSeconds) {
            break;
        }
        const double stopAt = state->stopAt;
        if (stopAt != -1.0 && position >= stopAt) {
            break;
        }
        if (state->SleepUnlessStopped(kPollMilliseconds)) {
            return;
        }
    }
    if (!state->SleepUnlessStopped(kEndDelayMilliseconds)) {
        postEnd();
    }
}

bool CModWatcher::WaitFor(int milliseconds) {
    if (!m_thread.joinable()) {
        return true;
    }
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (!m_done->load() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    if (!m_done->load()) {
        return false;
    }
    m_thread.join();
    return true;
}

}  // namespace tavi::engines
