#include "SharedOutputForMci.h"

#include "engines/directshow/CDirectShowPersistFilterList.h"
#include "platform/mci/wave/WaveOutputs.h"

#include <mutex>

namespace tavi::engines {

std::shared_ptr<gst::SharedAudioOutput> AcquireConfiguredOutput(QString* error) {
    CDirectShowPersistFilterList& filters = directShowFilters();
    const gst::AudioOutputSpec spec = gst::AudioOutputSpec::FromEnvironment();
    const bool device = spec.kind == gst::AudioOutputSpec::Kind::Auto;
    return gst::SharedAudioOutput::Acquire(
        spec, device ? filters.OutputKey() : QString(),
        [&] { return device ? filters.CreateOutput() : nullptr; }, error);
}

void UseConfiguredOutputForMci() {
    static std::once_flag once;
    std::call_once(once, [] { mci::SetSharedOutputSource(AcquireConfiguredOutput); });
}

}  // namespace tavi::engines
