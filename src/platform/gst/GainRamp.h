#pragma once

#include <cstddef>
#include <cstdint>

namespace tavi::gst {

// A feed's level across one buffer: from `start` at its first frame to `end` at its last,
// straight in between (a buffer is a few tens of milliseconds, short enough for any fade).
struct GainRamp {
    float start = 1.0f;
    float end = 1.0f;

    static GainRamp Flat(float gain) { return {gain, gain}; }
    bool IsUnity() const { return start == 1.0f && end == 1.0f; }
};

// Multiplies interleaved stereo 16-bit frames by the ramp, clipping at full scale. One
// multiply a sample; nothing at all at unity.
void ApplyGain(int16_t* samples, size_t frames, const GainRamp& gain);

}  // namespace tavi::gst
