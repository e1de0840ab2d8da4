#include "CAWEManDll.h"

#include "engines/exceptions/CAWEException.h"
#include "platform/lib/RuntimeLibrary.h"
#include "platform/mci/midi/SequencerSynths.h"

#include <dlfcn.h>

#include <array>

namespace tavi::engines {

namespace {
const char* const kLibraryName = "libaweman32.so";
}  // namespace

CAWEManDll& CAWEManDll::Instance() {
    static CAWEManDll* instance = [] {
        auto* made = new CAWEManDll;  // lives as long as the library it binds
        made->Bind();
        return made;
    }();
    return *instance;
}

bool CAWEManDll::Bind() {
    m_manager = nullptr;
    void* library = platform::OpenRuntimeLibrary(kLibraryName);
    return library && Adopt(library);
}

bool CAWEManDll::BindFile(const QString& path) {
    m_manager = nullptr;
    void* library = platform::OpenRuntimeLibraryAt(path);
    return library && Adopt(library);
}

// The library is never unloaded: a synthesiser may hold a SoundFont it loaded.
bool CAWEManDll::Adopt(void* library) {
    m_manager = reinterpret_cast<ManagerFunction>(dlsym(library, "AWEManager"));
    if (!m_manager) {
        return false;
    }
    using Attach = TaviAttachSequencerHostFunction;
    if (auto attach = reinterpret_cast<Attach>(dlsym(library, TAVI_ATTACH_SEQUENCER_HOST_EXPORT))) {
        attach(mci::SequencerSynths::Host());
    }
    return true;
}

void CAWEManDll::Call(uintptr_t handle, uint32_t message, uintptr_t first, uintptr_t second) {
    if (!m_manager) {
        throw CAWEException(110);  // MSG_INVALID: there is nobody to send it to
    }
    if (const uint32_t result = m_manager(handle, message, first, second); result != 0) {
        throw CAWEException(result);
    }
}

uintptr_t CAWEManDll::OpenConnection() {
    uintptr_t handle = 0;
    Call(0, kOpen, reinterpret_cast<uintptr_t>(&handle), 0);
    return handle;
}

// The bank-load block: the path's size in UTF-16 units with its terminator, then the
// address of the path in the locale's encoding. The address takes bytes 4-11 so that it
// fits a 64-bit pointer (bytes 8-11 are the zero of the 32-bit layout there). The path is
// handed whole and terminated, however long.
void CAWEManDll::LoadBank(uintptr_t connection, const QString& path) {
    const QByteArray encoded = path.toLocal8Bit();
    std::array<unsigned char, 16> block{};
    const uint32_t size = 2 * uint32_t(path.size()) + 2;
    const uint64_t address = reinterpret_cast<uintptr_t>(encoded.constData());
    for (int i = 0; i < 4; ++i) {
        block[size_t(i)] = uint8_t(size >> (8 * i));
    }
    for (int i = 0; i < 8; ++i) {
        block[size_t(4 + i)] = uint8_t(address >> (8 * i));
    }
    Call(connection, kLoadBank, 1, reinterpret_cast<uintptr_t>(block.data()));
}

void CAWEManDll::ClearBank(uintptr_t connection) {
    Call(connection, kClearBank, 1, 0);
}

void CAWEManDll::CloseConnection(uintptr_t* connection) {
    const uintptr_t handle = *connection;
    *connection = 0;
    Call(handle, kClose, 0, 0);
}

}  // namespace tavi::engines
