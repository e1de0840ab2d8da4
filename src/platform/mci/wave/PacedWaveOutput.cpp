#include "PacedWaveOutput.h"

#include <algorithm>
#include <thread>

namespace tavi::mci {

namespace {

// Sound is handed on this far ahead of its time, as GStreamer's sinks hand on a buffer at its
// start: the shared output then never waits for the next buffer.
constexpr auto kLead = std::chrono::milliseconds(20);
// A writer that comes later than this after the schedule starts a new one: the output has
// run dry meanwhile, and making up the time would only delay the sound.
constexpr auto kRestartAfter = std::chrono::milliseconds(100);

}  // namespace

bool PacedWaveOutput::Write(const float* samples, size_t frames) {
    std::lock_guard lock(m_mutex);
    const Clock::time_point now = Clock::now();
    if (!m_scheduled || now - m_due > kRestartAfter) {
        m_due = now;
        m_scheduled = true;
    }
    std::this_thread::sleep_until(m_due - kLead);
    m_due += std::chrono::duration_cast<Clock::duration>(
        std::chrono::duration<double>(double(frames) / kRate));
    return m_deliver(samples, frames);
}

double PacedWaveOutput::SecondsUntilDue() {
    std::lock_guard lock(m_mutex);
    const Clock::time_point now = Clock::now();
    if (!m_scheduled || now - m_due > kRestartAfter) {
        return 0.0;
    }
    return std::max(0.0, std::chrono::duration<double>(m_due - kLead - now).count());
}

void PacedWaveOutput::Flush() {
    std::lock_guard lock(m_mutex);
    m_scheduled = false;
    if (m_drop) {
        m_drop();
    }
}

}  // namespace tavi::mci
