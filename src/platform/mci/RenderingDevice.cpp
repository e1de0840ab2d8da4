#include "RenderingDevice.h"

#include "MciCommands.h"

namespace tavi::mci {

void RenderingDevice::StartRendering(int64_t endFrame, uint64_t run) {
    m_halt = false;
    m_finished = false;
    m_worker = std::thread([this, endFrame, run] {
        Render(endFrame, run);
        m_finished = true;
    });
}

void RenderingDevice::HaltRun() {
    if (!m_worker.joinable()) {
        return;
    }
    // A run that ended by itself left its last sound queued, perhaps with the next track's
    // after it: only an interrupted run drops what is queued.
    const bool interrupted = !m_finished;
    m_halt = true;
    m_worker.join();
    if (interrupted) {
        m_output->Flush();
    }
}

void RenderingDevice::MoveTo(uint64_t ms) {
    m_frame = FrameAt(ms);
}

uint32_t RenderingDevice::WaveOutputStatus(uintptr_t* handle) {
    *handle = kWaveOutHandle;
    return 0;
}

}  // namespace tavi::mci
