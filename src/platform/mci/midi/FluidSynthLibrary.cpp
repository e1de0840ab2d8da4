#include "FluidSynthLibrary.h"

#include "platform/lib/LazyLibrary.h"

#include <cstdlib>

namespace tavi::mci {

namespace {

// FluidSynth writes every complaint about a damaged file to stderr; the device reports what
// matters itself.
void QuietLog(const FluidSynthLibrary& library) {
    for (int level : {FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG}) {
        library.fluid_set_log_function(level, nullptr, nullptr);
    }
}

// Every entry or none: a library without one of them is not the one the program was built for.
bool Bind(void* handle, FluidSynthLibrary* library) {
    bool complete = true;
#define TAVI_FLUID_ENTRY(name) \
    complete = platform::BindEntry(handle, #name, &library->name) && complete;
#include "FluidSynthEntries.inc"
#undef TAVI_FLUID_ENTRY
    if (complete) {
        QuietLog(*library);
    }
    return complete;
}

}  // namespace

const FluidSynthLibrary* LoadFluidSynth() {
    // Kept for the whole run: synthesisers live as long as the program.
    static platform::LazyLibrary<FluidSynthLibrary> library(TAVI_FLUIDSYNTH_SONAME, Bind);
    return library.Get();
}

const FluidSynthLibrary& FluidSynth() {
    const FluidSynthLibrary* library = LoadFluidSynth();
    if (!library) {
        std::abort();  // only reached with a synthesiser, which the library made
    }
    return *library;
}

}  // namespace tavi::mci
