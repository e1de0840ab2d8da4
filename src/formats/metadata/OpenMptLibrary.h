#pragma once

#include <libopenmpt/libopenmpt.h>

namespace tavi::formats {

// libopenmpt's entry points, bound the first time a module's tags are read: the program
// plays modules through its own module library, and a run that meets no module need not map
// libopenmpt and its Vorbis decoder at start-up.
struct OpenMptLibrary {
#define TAVI_OPENMPT_ENTRY(name) decltype(&::name) name = nullptr;
#include "OpenMptEntries.inc"
#undef TAVI_OPENMPT_ENTRY
};

// The bound library, or null when it cannot be loaded. Thread-safe.
const OpenMptLibrary* LoadOpenMpt();

}  // namespace tavi::formats
