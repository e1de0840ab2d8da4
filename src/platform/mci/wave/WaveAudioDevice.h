#pragma once

#include "WaveDecoder.h"
#include "WaveOutput.h"
#include "platform/mci/MciPlaybackDevice.h"

#include <atomic>
#include <memory>
#include <thread>

namespace tavi::mci {

// The "waveaudio" device: a sound file decoded with libsndfile, played on a worker into the
// wave output (AcquireWaveOutput). Positions count the file's frames.
class WaveAudioDevice : public MciPlaybackDevice {
public:
    WaveAudioDevice() = default;
    ~WaveAudioDevice() override;

    uint32_t Open(const QString& element) override;

protected:
    uint64_t LengthMs() override;
    uint64_t PositionMs() override;
    uint32_t StartRun(std::optional<uint64_t> from, std::optional<uint64_t> to,
                      uint64_t run) override;
    void HaltRun() override;
    void MoveTo(uint64_t ms) override;
    uint32_t WaveOutputStatus(uintptr_t* handle) override;

private:
    int64_t FrameAt(uint64_t ms) const;
    void Run(int64_t endFrame, uint64_t run);
    void Render(int64_t endFrame, uint64_t run);

    // Used by the worker while a run goes on, by the command thread otherwise.
    std::unique_ptr<WaveDecoder> m_decoder;
    std::shared_ptr<WaveOutput> m_output;
    std::thread m_worker;
    std::atomic<bool> m_halt = false;
    std::atomic<bool> m_finished = true;  // the worker has nothing left to write
    std::atomic<int64_t> m_frame = 0;     // the position, in the file's frames
};

}  // namespace tavi::mci
