#pragma once

#include <QString>

#include <cstdint>

namespace tavi::engines {

// The sound-bank manager library "aweman32", bound by name: next to the program, then on
// the library path. Usable only when the library loaded and exports "AWEManager". The
// manager's calls throw CAWEException for any result but 0. UI thread.
class CAWEManDll {
public:
    using ManagerFunction = uint32_t (*)(uintptr_t handle, uint32_t message, uintptr_t first,
                                         uintptr_t second);
    static constexpr uint32_t kOpen = 101;
    static constexpr uint32_t kClose = 102;
    static constexpr uint32_t kLoadBank = 204;
    static constexpr uint32_t kClearBank = 205;

    // The program-wide binding, made by name on first use (at start-up).
    static CAWEManDll& Instance();

    // Binds the library by name; false when it is not there.
    bool Bind();
    // Binds the library at path instead (tests, and a missing library to test without one).
    bool BindFile(const QString& path);
    bool IsUsable() const { return m_manager != nullptr; }

    // Message 101: a new connection's handle.
    uintptr_t OpenConnection();
    // Message 204: path loaded as bank 1.
    void LoadBank(uintptr_t connection, const QString& path);
    // Message 205: bank 1 cleared.
    void ClearBank(uintptr_t connection);
    // Message 102; the handle is 0 afterwards, also when closing failed (which throws).
    void CloseConnection(uintptr_t* connection);

private:
    CAWEManDll() = default;
    bool Adopt(void* library);
    void Call(uintptr_t handle, uint32_t message, uintptr_t first, uintptr_t second);

    ManagerFunction m_manager = nullptr;
};

}  // namespace tavi::engines
