#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <thread>

namespace tavi::automation::script {

// One thread for the whole program that stops scripts running too long: a script that is
// entered arms it, and when the time passes before the script leaves, the expiry runs (on
// this thread). Once Disarm returns, that expiry neither runs nor will.
class ScriptWatchdog {
public:
    static ScriptWatchdog& Instance();
    ~ScriptWatchdog();

    uint64_t Arm(std::chrono::milliseconds limit, std::function<void()> onExpiry);
    void Disarm(uint64_t ticket);

private:
    ScriptWatchdog();
    void Watch();

    struct Alarm {
        std::chrono::steady_clock::time_point due;
        std::function<void()> onExpiry;
    };
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::map<uint64_t, Alarm> m_alarms;
    uint64_t m_nextTicket = 1;
    bool m_quit = false;
    std::thread m_thread;
};

}  // namespace tavi::automation::script
