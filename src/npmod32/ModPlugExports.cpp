// The library's entry points: the seventeen ModPlug_ calls, with positions in units of
// 100 ms and volumes 0..100, and NpmodAttachHost, through which the player hands over its
// sound output. Handles are numbers checked against the players that exist, so a stale or
// made-up handle does nothing.
#include "ModPlayer.h"
#include "NpmodHost.h"

#include <QWidget>

#include <atomic>
#include <map>
#include <memory>
#include <mutex>

#define NPMOD_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

constexpr int kVersion = 0x0100;

std::atomic<const TaviModHost*> g_host = nullptr;

struct Players {
    std::mutex mutex;  // guards the map; the players guard themselves
    std::map<uintptr_t, std::shared_ptr<npmod::ModPlayer>> byHandle;
    uintptr_t next = 1;
};

Players& players() {
    static Players instance;
    return instance;
}

// The player of a handle, kept alive for the call even if another thread destroys it.
std::shared_ptr<npmod::ModPlayer> Find(void* handle) {
    Players& all = players();
    std::lock_guard lock(all.mutex);
    const auto found = all.byHandle.find(reinterpret_cast<uintptr_t>(handle));
    return found == all.byHandle.end() ? nullptr : found->second;
}

}  // namespace

NPMOD_EXPORT void NpmodAttachHost(const TaviModHost* host) {
    g_host = host;
}

NPMOD_EXPORT int ModPlug_Initialize(void) {
    return 1;
}

NPMOD_EXPORT void ModPlug_Shutdown(void) {}

NPMOD_EXPORT void* ModPlug_CreateEx(const char* parameters) {
    auto player = std::make_shared<npmod::ModPlayer>(
        npmod::PlayerOptions::Parse(parameters ? parameters : ""), g_host.load());
    Players& all = players();
    std::lock_guard lock(all.mutex);
    const uintptr_t handle = all.next++;
    all.byHandle.emplace(handle, std::move(player));
    return reinterpret_cast<void*>(handle);
}

NPMOD_EXPORT void* ModPlug_Create(void) {
    return ModPlug_CreateEx("controls|spectrum");
}

// UI thread: the render thread, the panel and the output go now; the rest when the last
// caller still holding the player is done with it.
NPMOD_EXPORT void ModPlug_Destroy(void* handle) {
    std::shared_ptr<npmod::ModPlayer> player;
    {
        Players& all = players();
        std::lock_guard lock(all.mutex);
        const auto found = all.byHandle.find(reinterpret_cast<uintptr_t>(handle));
        if (found == all.byHandle.end()) {
            return;
        }
        player = std::move(found->second);
        all.byHandle.erase(found);
    }
    player->Release();
}

// The path in the locale's encoding. Non-zero when the module was loaded.
NPMOD_EXPORT int ModPlug_Load(void* handle, const char* path) {
    const auto player = Find(handle);
    return player && path && player->Load(path) ? 1 : 0;
}

// window: the QWidget the panel is drawn into (library and program share one Qt).
NPMOD_EXPORT void ModPlug_SetWindow(void* handle, uintptr_t window) {
    if (const auto player = Find(handle)) {
        player->SetWindow(reinterpret_cast<QWidget*>(window));
    }
}

NPMOD_EXPORT int ModPlug_Play(void* handle) {
    const auto player = Find(handle);
    return player && player->Play() ? 1 : 0;
}

NPMOD_EXPORT int ModPlug_Stop(void* handle) {
    const auto player = Find(handle);
    return player && player->Stop() ? 1 : 0;
}

NPMOD_EXPORT int ModPlug_GetVersion(void*) {
    return kVersion;
}

NPMOD_EXPORT int ModPlug_IsReady(void* handle) {
    const auto player = Find(handle);
    return player && player->IsReady() ? 1 : 0;
}

NPMOD_EXPORT int ModPlug_IsPlaying(void* handle) {
    const auto player = Find(handle);
    return player && player->IsPlaying() ? 1 : 0;
}

NPMOD_EXPORT int ModPlug_GetMaxPosition(void* handle) {
    const auto player = Find(handle);
    return player ? player->MaxPosition() : 0;
}

NPMOD_EXPORT int ModPlug_GetCurrentPosition(void* handle) {
    const auto player = Find(handle);
    return player ? player->CurrentPosition() : 0;
}

NPMOD_EXPORT void ModPlug_SetCurrentPosition(void* handle, int position) {
    if (const auto player = Find(handle)) {
        player->SetCurrentPosition(position);
    }
}

NPMOD_EXPORT int ModPlug_GetVolume(void* handle) {
    const auto player = Find(handle);
    return player ? player->Volume() : 0;
}

NPMOD_EXPORT void ModPlug_SetVolume(void* handle, int volume) {
    if (const auto player = Find(handle)) {
        player->SetVolume(volume);
    }
}
