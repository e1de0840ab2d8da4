#include "ScriptWatchdog.h"

#include <algorithm>

namespace tavi::automation::script {

ScriptWatchdog& ScriptWatchdog::Instance() {
    static ScriptWatchdog watchdog;
    return watchdog;
}

ScriptWatchdog::ScriptWatchdog() : m_thread([this] { Watch(); }) {}

ScriptWatchdog::~ScriptWatchdog() {
    {
        std::scoped_lock lock(m_mutex);
        m_quit = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

uint64_t ScriptWatchdog::Arm(std::chrono::milliseconds limit, std::function<void()> onExpiry) {
    std::scoped_lock lock(m_mutex);
    const uint64_t ticket = m_nextTicket++;
    m_alarms.emplace(ticket, Alarm{std::chrono::steady_clock::now() + limit, std::move(onExpiry)});
    m_changed.notify_all();
    return ticket;
}

void ScriptWatchdog::Disarm(uint64_t ticket) {
    std::scoped_lock lock(m_mutex);
    m_alarms.erase(ticket);
}

void ScriptWatchdog::Watch() {
    std::unique_lock lock(m_mutex);
    while (!m_quit) {
        if (m_alarms.empty()) {
            m_changed.wait(lock);
            continue;
        }
        const auto first = std::min_element(m_alarms.begin(), m_alarms.end(), [](auto& a, auto& b) {
            return a.second.due < b.second.due;
        });
        // A copy: the wait lets go of the lock, and a Disarm meanwhile frees the alarm.
        const auto due = first->second.due;
        if (std::chrono::steady_clock::now() < due) {
            m_changed.wait_until(lock, due);
            continue;
        }
        // Under the lock, so a Disarm that returned has nothing running here.
        const auto onExpiry = std::move(first->second.onExpiry);
        m_alarms.erase(first);
        onExpiry();
    }
}

}  // namespace tavi::automation::script
