#pragma once

#include "platform/mixer/CMixer.h"

#include <QObject>

#include <cstdint>
#include <functional>
#include <optional>

namespace tavi::mixer {

// Stopping with "FadeOut" on: lowers the master volume in 20 equal steps 25 ms apart, stops
// the track, then puts the volume back. The steps run from the event loop (a timer), so
// the UI thread never waits; the caller goes on from `done`. A mixer that cannot be used
// stops at once and reports it, so that fading is switched off for the rest of the run.
// Pausing takes the same path with steps of its own length; resuming is the way back: the
// volume drops to silence, the track plays on, and the volume rises in 20 steps to where
// it was.
class FadeOut {
public:
    static constexpr int kSteps = 20;
    static constexpr int kStepMilliseconds = 25;

    // Calls next after the given time; the default is a single-shot timer on this thread.
    // Tests schedule the steps themselves to drive time.
    using Schedule = std::function<void(int milliseconds, std::function<void()> next)>;
    // faded: false when the mixer failed (the stop then came at once).
    using Done = std::function<void(bool faded)>;

    explicit FadeOut(Schedule schedule = {});
    ~FadeOut();  // a fade still running is dropped: the volume is put back, nothing called
    FadeOut(const FadeOut&) = delete;
    FadeOut& operator=(const FadeOut&) = delete;

    // Starts a fade; stop is called exactly once, then the volume is restored, then done.
    // Ignored while a fade runs.
    void Start(std::function<void()> stop, Done done, int stepMilliseconds = kStepMilliseconds);
    // The rise: the volume goes to silence, then resume is called, then the volume comes
    // back in steps; done after the last. With a mixer that fails, resume comes at once.
    // Ignored while a fade runs.
    void StartRise(std::function<void()> resume, Done done, int stepMilliseconds);
    bool IsRunning() const { return m_running; }
    bool IsRising() const { return m_running && m_rising; }
    // Ends a running fade now: stop (a fall only), volume back, done.
    void Finish();
    // Drops a running fade: the volume is put back, nothing is called.
    void Cancel();

private:
    bool Begin(std::function<void()> action, Done done, int stepMilliseconds, bool rising);
    void Step(uint64_t run);
    void End(bool faded);
    void ScheduleStep();

    Schedule m_schedule;
    QObject m_timerContext;        // pending default steps die with it
    std::function<void()> m_stop;  // a fall's action, called at its end
    Done m_done;
    bool m_running = false;
    bool m_rising = false;
    int m_stepMilliseconds = kStepMilliseconds;
    std::optional<MasterVolume> m_master;
    uint32_t m_original = 0;
    uint32_t m_volume = 0;
    int m_stepsDone = 0;
    uint64_t m_run = 0;  // a scheduled step of an earlier run does nothing
};

}  // namespace tavi::mixer
