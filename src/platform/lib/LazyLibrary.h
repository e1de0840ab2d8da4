#pragma once

#include <dlfcn.h>

#include <mutex>

namespace tavi::platform {

// Binds one entry point by name; false when the library lacks it.
template <typename Function>
bool BindEntry(void* handle, const char* name, Function* entry) {
    *entry = reinterpret_cast<Function>(dlsym(handle, name));
    return *entry != nullptr;
}

// A system library opened by its run-time name at the first use instead of at start-up: a
// library the program links brings its own dependencies, which every start then maps and
// relocates although most runs never call it. `bind` fills the table with every entry or
// reports that one is missing (then the library is not the one the program was built for).
// Kept loaded for the whole run; Get is thread-safe.
template <typename Table>
class LazyLibrary {
public:
    using Binder = bool (*)(void* handle, Table* table);
    LazyLibrary(const char* soname, Binder bind) : m_soname(soname), m_bind(bind) {}

    // The bound table, or null when the library cannot be loaded.
    const Table* Get() {
        std::call_once(m_once, [this] {
            void* handle = dlopen(m_soname, RTLD_NOW | RTLD_LOCAL);
            m_bound = handle && m_bind(handle, &m_table);
        });
        return m_bound ? &m_table : nullptr;
    }

private:
    const char* m_soname;
    Binder m_bind;
    std::once_flag m_once;
    Table m_table;
    bool m_bound = false;
};

}  // namespace tavi::platform
