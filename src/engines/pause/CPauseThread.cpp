#include "CPauseThread.h"

#include "engines/CMediaTrack.h"

#include <chrono>

namespace tavi::engines {

CPauseThread::~CPauseThread() {
    Close();
}

int64_t CPauseThread::SteadyMilliseconds() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

int64_t CPauseThread::NowMilliseconds() const {
    return m_clock ? m_clock() : SteadyMilliseconds();
}

void CPauseThread::Init(double length, CMediaTrack* owner) {
    m_length = length;
    m_owner = owner;
    std::scoped_lock lock(m_mutex);
    m_basePosition = 0.0;
    m_state = Stopped;
}

void CPauseThread::Play() {
    PlayRange(0.0, GetLength());
}

void CPauseThread::PlayRange(double from, double to) {
    Stop();  // one worker per run
    {
        std::scoped_lock lock(m_mutex);
        m_basePosition = from;
        m_endPosition = to;
        m_workerPaused = false;
        m_quit = false;
        m_startTick = NowMilliseconds();
    }
    m_state = Playing;
    m_worker = std::thread(&CPauseThread::Run, this);
}

void CPauseThread::Pause() {
    std::scoped_lock lock(m_mutex);
    if (m_state != Playing) {
        return;
    }
    m_basePosition = PositionLocked();
    m_workerPaused = true;
    m_state = Paused;
}

void CPauseThread::Resume() {
    {
        std::scoped_lock lock(m_mutex);
        if (m_state != Paused) {
            return;  // restarting the clock of a running pause would move it backwards
        }
        m_workerPaused = false;
        m_startTick = NowMilliseconds();
        m_state = Playing;
    }
    m_wake.notify_all();
}

void CPauseThread::Seek(double position) {
    std::scoped_lock lock(m_mutex);
    m_basePosition = position;
    m_startTick = NowMilliseconds();
}

double CPauseThread::PositionLocked() const {
    if (m_state == Paused) {
        return m_basePosition;
    }
    return m_basePosition + double(NowMilliseconds() - m_startTick) / 1000.0;
}

double CPauseThread::GetPosition() const {
    std::scoped_lock lock(m_mutex);
    return PositionLocked();
}

void CPauseThread::Stop() {
    if (m_worker.joinable()) {
        {
            std::scoped_lock lock(m_mutex);
            m_quit = true;
            m_workerPaused = false;
        }
        m_wake.notify_all();
        m_worker.join();
    }
    if (m_state != Closed) {
        m_state = Stopped;
    }
}

void CPauseThread::Close() {
    Stop();
    m_state = Closed;
}

// Ticks on a fixed 100 ms grid of the steady clock from the start of the run, so that
// lateness does not add up; each tick reads the position from the (replaceable) clock.
void CPauseThread::Run() {
    using namespace std::chrono;
    std::unique_lock lock(m_mutex);
    auto nextTick = steady_clock::now() + milliseconds(kTickMilliseconds);
    while (!m_quit) {
        if (m_workerPaused) {
            m_wake.wait(lock, [this] { return m_quit || !m_workerPaused; });
            nextTick = steady_clock::now() + milliseconds(kTickMilliseconds);
            continue;
        }
        if (m_wake.wait_until(lock, nextTick, [this] { return m_quit || m_workerPaused; })) {
            continue;
        }
        nextTick += milliseconds(kTickMilliseconds);
        if (PositionLocked() >= m_endPosition) {
            m_owner->GetNotifyWnd().PostMessage(CMediaTrackNotifyWnd::kTrackEndedMessage);
            return;
        }
    }
}

}  // namespace tavi::engines
