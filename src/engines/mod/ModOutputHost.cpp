#include "ModOutputHost.h"

#include "engines/mci/SharedOutputForMci.h"
#include "npmod32/NpmodHost.h"
#include "platform/mci/wave/WaveOutputs.h"

#include <memory>

namespace tavi::engines {

namespace {

// What the library holds: one reference to the output.
struct HeldOutput {
    std::shared_ptr<mci::WaveOutput> output;
};

void* AcquireOutput() {
    UseConfiguredOutputForMci();
    QString error;
    std::shared_ptr<mci::WaveOutput> output = mci::AcquireWaveOutput(&error);
    return output ? new HeldOutput{std::move(output)} : nullptr;
}

void ReleaseOutput(void* output) {
    delete static_cast<HeldOutput*>(output);
}

int Write(void* output, const float* samples, size_t frames) {
    return static_cast<HeldOutput*>(output)->output->Write(samples, frames) ? 1 : 0;
}

void Flush(void* output) {
    static_cast<HeldOutput*>(output)->output->Flush();
}

double SecondsUntilDue(void* output) {
    return static_cast<HeldOutput*>(output)->output->SecondsUntilDue();
}

const TaviModHost kHost{TAVI_MOD_HOST_VERSION, AcquireOutput, ReleaseOutput, Write, Flush,
                        SecondsUntilDue};

}  // namespace

const TaviModHost* ModOutputHost() {
    return &kHost;
}

}  // namespace tavi::engines
