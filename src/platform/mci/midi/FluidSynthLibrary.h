#pragma once

#include <fluidsynth.h>

namespace tavi::mci {

// FluidSynth's entry points the sequencer uses, bound at the first MIDI open instead of at
// start-up: the library brings some thirty others with it (SDL, JACK, Wayland, readline),
// which a program that plays no MIDI need neither map nor relocate.
struct FluidSynthLibrary {
#define TAVI_FLUID_ENTRY(name) decltype(&::name) name = nullptr;
#include "FluidSynthEntries.inc"
#undef TAVI_FLUID_ENTRY
};

// The bound library, or null when it cannot be loaded (then no MIDI plays). Thread-safe; the
// first successful call also silences FluidSynth's log.
const FluidSynthLibrary* LoadFluidSynth();
// The library once LoadFluidSynth succeeded; for code that runs only with a synthesiser.
const FluidSynthLibrary& FluidSynth();

}  // namespace tavi::mci
