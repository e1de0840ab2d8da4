#pragma once

#include "WaveOutput.h"

#include <chrono>
#include <functional>
#include <mutex>

namespace tavi::mci {

// An output that does not block by itself (the null and file outputs, GStreamer's file
// output): Write waits on the clock instead. The schedule runs on from one writer to the
// next, so a track that starts just after another one ended first makes up the moment
// between them and the sound stays continuous; after a longer pause it starts afresh.
class PacedWaveOutput : public WaveOutput {
public:
    using Deliver = std::function<bool(const float* samples, size_t frames)>;
    using Drop = std::function<void()>;

    // deliver hands sound on (false: the output failed); drop discards what is queued.
    PacedWaveOutput(Deliver deliver, Drop drop)
        : m_deliver(std::move(deliver)), m_drop(std::move(drop)) {}

    bool Write(const float* samples, size_t frames) override;
    void Flush() override;
    double SecondsUntilDue() override;

private:
    using Clock = std::chrono::steady_clock;

    std::mutex m_mutex;         // guards the schedule and serialises the writers
    Clock::time_point m_due{};  // when the next frame is to be heard
    bool m_scheduled = false;
    Deliver m_deliver;
    Drop m_drop;
};

}  // namespace tavi::mci
