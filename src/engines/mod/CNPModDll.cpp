#include "CNPModDll.h"

#include "platform/lib/RuntimeLibrary.h"

#include "ModOutputHost.h"
#include "npmod32/NpmodHost.h"

#include <dlfcn.h>

#include <atomic>

namespace tavi::engines {

namespace {

const char* const kLibraryName = "libnpmod32.so";
std::atomic<bool> g_made = false;

template <typename Function>
bool Find(void* library, const char* name, Function* entry) {
    *entry = reinterpret_cast<Function>(dlsym(library, name));
    return *entry != nullptr;
}

}  // namespace

CNPModDll& CNPModDll::Instance() {
    static CNPModDll* instance = [] {
        auto* made = new CNPModDll;  // lives as long as the library it binds
        made->Bind();
        g_made = true;
        return made;
    }();
    return *instance;
}

bool CNPModDll::IsInstanceMade() {
    return g_made;
}

bool CNPModDll::Bind() {
    m_usable = false;
    void* library = platform::OpenRuntimeLibrary(kLibraryName);
    return library && Adopt(library);
}

bool CNPModDll::BindFile(const QString& path) {
    m_usable = false;
    void* library = platform::OpenRuntimeLibraryAt(path);
    return library && Adopt(library);
}

// Looked up by name in this order; one that is missing makes the binding unusable.
bool CNPModDll::Adopt(void* library) {
    Entries e;
    const bool all =
        Find(library, "ModPlug_Initialize", &e.initialize) &&
        Find(library, "ModPlug_Shutdown", &e.shutdown) &&
        Find(library, "ModPlug_Create", &e.create) &&
        Find(library, "ModPlug_CreateEx", &e.createEx) &&
        Find(library, "ModPlug_Destroy", &e.destroy) && Find(library, "ModPlug_Load", &e.load) &&
        Find(library, "ModPlug_SetWindow", &e.setWindow) &&
        Find(library, "ModPlug_Play", &e.play) && Find(library, "ModPlug_Stop", &e.stop) &&
        Find(library, "ModPlug_GetVersion", &e.getVersion) &&
        Find(library, "ModPlug_IsReady", &e.isReady) &&
        Find(library, "ModPlug_IsPlaying", &e.isPlaying) &&
        Find(library, "ModPlug_GetMaxPosition", &e.getMaxPosition) &&
        Find(library, "ModPlug_GetCurrentPosition", &e.getCurrentPosition) &&
        Find(library, "ModPlug_SetCurrentPosition", &e.setCurrentPosition) &&
        Find(library, "ModPlug_GetVolume", &e.getVolume) &&
        Find(library, "ModPlug_SetVolume", &e.setVolume);
    if (!all) {
        return false;
    }
    if (auto attach = reinterpret_cast<TaviAttachModHostFunction>(
            dlsym(library, TAVI_ATTACH_MOD_HOST_EXPORT))) {
        attach(ModOutputHost());
    }
    m_entries = e;
    m_usable = true;
    return true;
}

}  // namespace tavi::engines
