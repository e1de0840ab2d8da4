#pragma once

#include "WaveOutput.h"

#include <memory>

namespace tavi::gst {
class SharedAudioOutput;
}

namespace tavi::mci {

// The wave devices' road onto GStreamer's shared output when it paces (a device or the null
// output): Write waits until the output's queue has room, as GStreamer's tracks do, so the
// device's pace decides when sound is handed on and a device's write lands in the cushion
// the output keeps instead of on a schedule of its own.
class QueuedWaveOutput : public WaveOutput {
public:
    explicit QueuedWaveOutput(std::shared_ptr<gst::SharedAudioOutput> shared);

    bool Write(const float* samples, size_t frames) override;
    void Flush() override;
    double SecondsUntilDue() override;

private:
    std::shared_ptr<gst::SharedAudioOutput> m_shared;
};

}  // namespace tavi::mci
