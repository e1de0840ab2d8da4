#pragma once

#include <QString>

#include <cstdint>

class QDBusMessage;

namespace tavi::shellext {

class ShellStrings;

namespace hresult {
inline constexpr uint32_t kOk = 0;
inline constexpr uint32_t kFalse = 1;
inline constexpr uint32_t kInvalidArg = 0x80070057;
inline constexpr uint32_t kFail = 0x80004005;
inline constexpr uint32_t kPointer = 0x80004003;
inline constexpr uint32_t kClassNotRegistered = 0x80040154;
inline constexpr uint32_t kServerExecFailure = 0x80080005;
// The first code a dispatch error raised with a code of its own becomes.
inline constexpr uint32_t kDispatchErrorBase = 0x80040200;
}  // namespace hresult

// A failed hand-off: the result code and the system's message for it (empty when the
// system has none).
struct HandOffError {
    uint32_t code = hresult::kFail;
    QString message;

    // The failure of a bus call from its error reply: the player's dispatch errors keep the
    // codes an automation client would see, the bus's own errors the closest system code.
    static HandOffError FromReply(const QDBusMessage& reply);
    static uint32_t CodeOfErrorName(const QString& name);

    // What the user is shown: "Failed to launch Tavi", a line break, then the message
    // (its final line break removed) or, without one, the code's text.
    QString Text(const ShellStrings& strings) const;
    static QString CodeText(uint32_t code);
};

}  // namespace tavi::shellext
