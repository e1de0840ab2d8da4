#pragma once

#include <QString>

#include <cstdint>

namespace tavi::engines {

// The module-music library "Npmod32" (libnpmod32.so), bound by name: next to the program,
// then on the library path. Usable only when the library loaded and all seventeen ModPlug_
// entry points were found; right after loading, the library is handed the player's sound
// output (NpmodHost.h). The library is never unloaded: its render threads and its panel
// code may still run while the program ends.
class CNPModDll {
public:
    struct Entries {
        int (*initialize)(void) = nullptr;
        void (*shutdown)(void) = nullptr;
        void* (*create)(void) = nullptr;
        void* (*createEx)(const char* parameters) = nullptr;
        void (*destroy)(void* player) = nullptr;
        int (*load)(void* player, const char* path) = nullptr;
        void (*setWindow)(void* player, uintptr_t window) = nullptr;
        int (*play)(void* player) = nullptr;
        int (*stop)(void* player) = nullptr;
        int (*getVersion)(void* player) = nullptr;
        int (*isReady)(void* player) = nullptr;
        int (*isPlaying)(void* player) = nullptr;
        int (*getMaxPosition)(void* player) = nullptr;
        int (*getCurrentPosition)(void* player) = nullptr;
        void (*setCurrentPosition)(void* player, int position) = nullptr;
        int (*getVolume)(void* player) = nullptr;
        void (*setVolume)(void* player, int volume) = nullptr;
    };

    // The program-wide binding, made by name on first use: the first module that is opened,
    // so a missing module file never loads the library.
    static CNPModDll& Instance();
    // Whether Instance() has been asked for yet (tests).
    static bool IsInstanceMade();

    // Binds the library by name; false when it or an entry point is missing.
    bool Bind();
    // Binds the library at path instead (tests, and a missing library to test without one).
    bool BindFile(const QString& path);
    bool IsUsable() const { return m_usable; }
    // The entry points; only meaningful while IsUsable().
    const Entries& Get() const { return m_entries; }

private:
    CNPModDll() = default;
    bool Adopt(void* library);

    Entries m_entries;
    bool m_usable = false;
};

}  // namespace tavi::engines
