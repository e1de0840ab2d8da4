#include "FluidSynthLibrary.h"

#include <dlfcn.h>

#include <cstdlib>
#include <mutex>

namespace tavi::mci {

namespace {

// Every entry or none: a library without one of them is not the one the program was built for.
bool Bind(void* handle, FluidSynthLibrary* library) {
    bool complete = true;
#define TAVI_FLUID_ENTRY(name)                                                 \
    library->name = reinterpret_cast<decltype(&::name)>(dlsym(handle, #name)); \
    complete = complete && library->name != nullptr;
#include "FluidSynthEntries.inc"
#undef TAVI_FLUID_ENTRY
    return complete;
}

// FluidSynth writes every complaint about a damaged file to stderr; the device reports what
// matters itself.
void QuietLog(const FluidSynthLibrary& library) {
    for (int level : {FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG}) {
        library.fluid_set_log_function(level, nullptr, nullptr);
    }
}

}  // namespace

const FluidSynthLibrary* LoadFluidSynth() {
    static FluidSynthLibrary library;
    static bool bound = false;
    static std::once_flag once;
    std::call_once(once, [] {
        // Kept for the whole run: synthesisers live as long as the program.
        void* handle = dlopen(TAVI_FLUIDSYNTH_SONAME, RTLD_NOW | RTLD_LOCAL);
        bound = handle && Bind(handle, &library);
        if (bound) {
            QuietLog(library);
        }
    });
    return bound ? &library : nullptr;
}

const FluidSynthLibrary& FluidSynth() {
    const FluidSynthLibrary* library = LoadFluidSynth();
    if (!library) {
        std::abort();  // only reached with a synthesiser, which the library made
    }
    return *library;
}

}  // namespace tavi::mci
