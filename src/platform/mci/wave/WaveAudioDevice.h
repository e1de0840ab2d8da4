#pragma once

#include "WaveDecoder.h"
#include "WaveOutput.h"
#include "platform/mci/RenderingDevice.h"

#include <atomic>
#include <memory>
#include <thread>

namespace tavi::mci {

// The "waveaudio" device: a sound file decoded with libsndfile, played on a worker into the
// wave output (AcquireWaveOutput). Positions count the file's frames.
class WaveAudioDevice : public RenderingDevice {
public:
    WaveAudioDevice() = default;
    ~WaveAudioDevice() override;

    uint32_t Open(const QString& element) override;

protected:
    uint64_t LengthMs() override;
    uint64_t PositionMs() override;
    uint32_t StartRun(std::optional<uint64_t> from, std::optional<uint64_t> to,
                      uint64_t run) override;

private:
    int64_t FrameAt(uint64_t ms) const override;
    void Render(int64_t endFrame, uint64_t run) override;

    std::unique_ptr<WaveDecoder> m_decoder;  // used by the worker while a run goes on
};

}  // namespace tavi::mci
