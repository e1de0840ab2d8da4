#pragma once

#include <sndfile.h>

namespace tavi::mci {

// libsndfile's entry points, bound at the first wave open: the library brings FLAC, Opus,
// Vorbis and LAME with it, which a run that plays no sound through the wave device need
// neither map nor relocate.
struct SndFileLibrary {
#define TAVI_SNDFILE_ENTRY(name) decltype(&::name) name = nullptr;
#include "SndFileEntries.inc"
#undef TAVI_SNDFILE_ENTRY
};

// The bound library, or null when it cannot be loaded. Thread-safe.
const SndFileLibrary* LoadSndFile();
// The library once LoadSndFile succeeded; for code that runs only with an open file.
const SndFileLibrary& SndFile();

}  // namespace tavi::mci
