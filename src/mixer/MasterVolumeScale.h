#pragma once

#include <cstdint>

namespace tavi::mixer {

// The master-volume slider runs 0..1000 over the mixer's 0..65535, in integer arithmetic
// both ways so that the slider and the mixer agree on what a position means.
constexpr int kSliderMaximum = 1000;

constexpr int SliderPositionForVolume(uint32_t volume) {
    return static_cast<int>(volume * uint32_t(kSliderMaximum) / 65535u);
}

constexpr uint32_t VolumeForSliderPosition(int position) {
    const int clamped = position < 0 ? 0 : (position > kSliderMaximum ? kSliderMaximum : position);
    return uint32_t(clamped) * 65535u / uint32_t(kSliderMaximum);
}

}  // namespace tavi::mixer
