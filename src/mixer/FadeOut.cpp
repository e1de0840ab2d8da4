#include "FadeOut.h"

#include "platform/mixer/CMixer.h"

#include <QThread>

#include <optional>

namespace tavi::mixer {

bool FadeOut::FadeOutAndStop(const std::function<void()>& stop, bool& fadeOutEnabled,
                             const Sleep& sleep) {
    bool stopped = false;
    auto stopOnce = [&] {
        if (!stopped) {
            stopped = true;
            stop();
        }
    };
    std::optional<MasterVolume> master;
    std::optional<uint32_t> original;
    try {
        master.emplace();
        original = master->Get();
        const uint32_t step = *original / kSteps;
        uint32_t volume = *original;
        for (int i = 0; i < kSteps; ++i) {
            volume -= step;
            master->Set(volume);
            sleep ? sleep(kStepMilliseconds) : QThread::msleep(kStepMilliseconds);
        }
        stopOnce();
        master->Set(*original);
        return true;
    } catch (const CMixerException&) {
        fadeOutEnabled = false;
        stopOnce();
        // Never leave the user's volume lowered by a fade that broke off half way.
        if (master && original) {
            try {
                master->Set(*original);
            } catch (const CMixerException&) {
            }
        }
        return false;
    }
}

}  // namespace tavi::mixer
