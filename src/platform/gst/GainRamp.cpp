#include "GainRamp.h"

#include <algorithm>
#include <cmath>

namespace tavi::gst {

void ApplyGain(int16_t* samples, size_t frames, const GainRamp& gain) {
    if (gain.IsUnity() || frames == 0) {
        return;
    }
    const float step = frames > 1 ? (gain.end - gain.start) / float(frames - 1) : 0.0f;
    for (size_t frame = 0; frame < frames; ++frame) {
        const float factor = gain.start + step * float(frame);
        for (size_t channel = 0; channel < 2; ++channel) {
            int16_t& sample = samples[frame * 2 + channel];
            sample = int16_t(std::clamp(std::lrint(float(sample) * factor), -32768L, 32767L));
        }
    }
}

}  // namespace tavi::gst
