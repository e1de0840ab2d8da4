#pragma once

#include "MciPlaybackDevice.h"
#include "wave/WaveOutput.h"

#include <atomic>
#include <memory>
#include <thread>

namespace tavi::mci {

// A device that renders its sound on a worker into the wave output (the wave, sequencer and
// CD devices): the worker's start and halt, the position in frames, the wave-output volume.
class RenderingDevice : public MciPlaybackDevice {
protected:
    // Starts the worker on Render up to endFrame.
    void StartRendering(int64_t endFrame, uint64_t run);
    void HaltRun() override;
    void MoveTo(uint64_t ms) override;
    uint32_t WaveOutputStatus(uintptr_t* handle) override;

    virtual int64_t FrameAt(uint64_t ms) const = 0;
    // On the worker: renders and writes until endFrame or a halt.
    virtual void Render(int64_t endFrame, uint64_t run) = 0;

    // Used by the worker while a run goes on, by the command thread otherwise.
    std::shared_ptr<WaveOutput> m_output;
    std::thread m_worker;
    std::atomic<bool> m_halt = false;
    std::atomic<bool> m_finished = true;  // the worker has nothing left to write
    std::atomic<int64_t> m_frame = 0;     // the position, in the device's frames
};

}  // namespace tavi::mci
