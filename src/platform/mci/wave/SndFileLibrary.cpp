#include "SndFileLibrary.h"

#include "platform/lib/LazyLibrary.h"

#include <cstdlib>

namespace tavi::mci {

namespace {

bool Bind(void* handle, SndFileLibrary* library) {
    bool complete = true;
#define TAVI_SNDFILE_ENTRY(name) \
    complete = platform::BindEntry(handle, #name, &library->name) && complete;
#include "SndFileEntries.inc"
#undef TAVI_SNDFILE_ENTRY
    return complete;
}

}  // namespace

const SndFileLibrary* LoadSndFile() {
    static platform::LazyLibrary<SndFileLibrary> library(TAVI_SNDFILE_SONAME, Bind);
    return library.Get();
}

const SndFileLibrary& SndFile() {
    const SndFileLibrary* library = LoadSndFile();
    if (!library) {
        std::abort();  // only reached with a file, which the library opened
    }
    return *library;
}

}  // namespace tavi::mci
