#include "FadeOut.h"

#include <QTimer>

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

void FadeOut::Start(std::function<void()> stop, Done done) {
    if (IsRunning()) {
        return;
    }
    m_stop = std::move(stop);
    m_done = std::move(done);
    m_stepsDone = 0;
    ++m_run;
    try {
        m_master.emplace();
        m_original = m_master->Get();
        m_volume = m_original;
    } catch (const CMixerException&) {
        m_master.reset();
        End(false);
        return;
    }
    Step(m_run);
}

void FadeOut::Finish() {
    if (IsRunning()) {
        End(m_master.has_value());
    }
}

void FadeOut::ScheduleStep() {
    m_schedule(kStepMilliseconds, [this, run = m_run] { Step(run); });
}

// Each step lowers the volume and waits; after the last wait the track stops.
void FadeOut::Step(uint64_t run) {
    if (run != m_run || !IsRunning()) {
        return;
    }
    if (m_stepsDone == kSteps) {
        End(true);
        return;
    }
    try {
        m_volume -= m_original / kSteps;
        m_master->Set(m_volume);
    } catch (const CMixerException&) {
        End(false);
        return;
    }
    ++m_stepsDone;
    ScheduleStep();
}

// Stops, then puts the volume back: never is the user's volume left lowered, even by a fade
// that broke off half way.
void FadeOut::End(bool faded) {
    ++m_run;
    std::function<void()> stop = std::move(m_stop);
    m_stop = nullptr;
    Done done = std::move(m_done);
    m_done = nullptr;
    stop();
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
