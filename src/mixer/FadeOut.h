#pragma once

#include <functional>

namespace tavi::mixer {

// Stopping with "FadeOut" on: lowers the master volume in 20 equal steps 25 ms apart, stops
// the track, then puts the volume back. A mixer that cannot be used switches fading off
// for the rest of the run and stops at once. Runs on the UI thread (about half a second).
class FadeOut {
public:
    static constexpr int kSteps = 20;
    static constexpr int kStepMilliseconds = 25;

    using Sleep = std::function<void(int milliseconds)>;

    // stop is called exactly once. Returns false when the mixer failed (fadeOutEnabled is
    // then false).
    static bool FadeOutAndStop(const std::function<void()>& stop, bool& fadeOutEnabled,
                               const Sleep& sleep = {});
};

}  // namespace tavi::mixer
