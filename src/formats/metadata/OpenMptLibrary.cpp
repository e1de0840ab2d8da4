#include "OpenMptLibrary.h"

#include "platform/lib/LazyLibrary.h"

namespace tavi::formats {

namespace {

bool Bind(void* handle, OpenMptLibrary* library) {
    bool complete = true;
#define TAVI_OPENMPT_ENTRY(name) \
    complete = platform::BindEntry(handle, #name, &library->name) && complete;
#include "OpenMptEntries.inc"
#undef TAVI_OPENMPT_ENTRY
    return complete;
}

}  // namespace

const OpenMptLibrary* LoadOpenMpt() {
    static platform::LazyLibrary<OpenMptLibrary> library(TAVI_OPENMPT_SONAME, Bind);
    return library.Get();
}

}  // namespace tavi::formats
