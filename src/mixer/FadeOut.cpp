#include "FadeOut.h"

#include <QTimer>

#include <algorithm>

namespace tavi::mixer {

FadeOut::FadeOut(Schedule schedule) : m_schedule(std::move(schedule)) {
    if (!m_schedule) {
        m_schedule = [this](int milliseconds, std::function<void()> next) {
            QTimer::singleShot(milliseconds, &m_timerContext, std::move(next));
        };
    }
}

FadeOut::~FadeOut() {
    if (IsRunning() && m_master) {
        try {
            m_master->Set(m_original);
        } catch (const CMixerException&) {
        }
    }
}

void FadeOut::Start(std::function<void()> stop, Done done, int stepMilliseconds) {
    if (Begin(std::move(stop), std::move(done), stepMilliseconds, false)) {
        Step(m_run);
    }
}

void FadeOut::StartRise(std::function<void()> resume, Done done, int stepMilliseconds) {
    if (IsRunning()) {
        return;
    }
    if (!Begin(nullptr, nullptr, stepMilliseconds, true)) {
        resume();  // the mixer cannot be used: played on at once
        if (done) {
            done(false);
        }
        return;
    }
    m_done = std::move(done);
    try {
        m_volume = 0;
        m_master->Set(0);
    } catch (const CMixerException&) {
        resume();
        End(false);
        return;
    }
    resume();
    ScheduleStep();
}

// False when a fade runs already or the mixer failed (then `done` has been told).
bool FadeOut::Begin(std::function<void()> action, Done done, int stepMilliseconds, bool rising) {
    if (IsRunning()) {
        return false;
    }
    m_running = true;
    m_rising = rising;
    m_stop = std::move(action);
    m_done = std::move(done);
    m_stepMilliseconds = std::max(1, stepMilliseconds);
    m_stepsDone = 0;
    ++m_run;
    try {
        m_master.emplace();
        m_original = m_master->Get();
        m_volume = m_original;
    } catch (const CMixerException&) {
        m_master.reset();
        End(false);
        return false;
    }
    return true;
}

void FadeOut::Finish() {
    if (IsRunning()) {
        End(m_master.has_value());
    }
}

void FadeOut::Cancel() {
    if (IsRunning()) {
        m_stop = nullptr;
        m_done = nullptr;
        End(m_master.has_value());
    }
}

void FadeOut::ScheduleStep() {
    m_schedule(m_stepMilliseconds, [this, run = m_run] { Step(run); });
}

// Each step of a fall lowers the volume and waits; after the last wait the track stops. A
// rise waits first and is over with its last step, the volume as it was.
void FadeOut::Step(uint64_t run) {
    if (run != m_run || !IsRunning()) {
        return;
    }
    if (!m_rising && m_stepsDone == kSteps) {
        End(true);
        return;
    }
    try {
        const uint32_t step = m_original / kSteps;
        ++m_stepsDone;
        m_volume = !m_rising               ? m_volume - step
                   : m_stepsDone == kSteps ? m_original
                                           : m_volume + step;
        m_master->Set(m_volume);
    } catch (const CMixerException&) {
        End(false);
        return;
    }
    if (m_rising && m_stepsDone == kSteps) {
        End(true);
        return;
    }
    ScheduleStep();
}

// Stops, then puts the volume back: never is the user's volume left lowered, even by a fade
// that broke off half way.
void FadeOut::End(bool faded) {
    ++m_run;
    m_running = false;
    std::function<void()> stop = std::move(m_stop);
    m_stop = nullptr;
    Done done = std::move(m_done);
    m_done = nullptr;
    if (stop) {
        stop();
    }
    if (m_master) {
        try {
            m_master->Set(m_original);
        } catch (const CMixerException&) {
            faded = false;
        }
        m_master.reset();
    }
    if (done) {
        done(faded);
    }
}

}  // namespace tavi::mixer
