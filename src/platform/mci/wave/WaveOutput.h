#pragma once

#include <cstddef>

namespace tavi::mci {

// Where the wave device's sound goes, whatever carries it on: 32-bit float stereo at 44.1 kHz,
// the format of GStreamer's shared output, so that both roads keep one contract. Write takes
// sound at the pace it is heard; several devices may hold one output, one writing at a time
// after the other, which is what makes a change of track seamless. Thread-safe.
class WaveOutput {
public:
    static constexpr int kRate = 44100;
    static constexpr int kChannels = 2;

    virtual ~WaveOutput() = default;
    // Blocks until the sound is due. False when the output failed.
    virtual bool Write(const float* samples, size_t frames) = 0;
    // Drops what was written and not yet heard (a seek, a stop).
    virtual void Flush() = 0;
    // How long Write would wait now before handing sound on, so that a writer can wait where
    // it can be interrupted instead; 0 for an output that blocks in the device.
    virtual double SecondsUntilDue() { return 0.0; }
};

}  // namespace tavi::mci
