#pragma once

#include "automation/dispatch/DispatchObject.h"
#include "automation/dispatch/TypeLibrary.h"

#include <QString>

#include <cstdint>
#include <memory>

namespace tavi::automation::script {

// Result codes of the script layer, with the values the platform gives them.
using HResult = uint32_t;
namespace hr {
inline constexpr HResult kOk = 0;
inline constexpr HResult kNotImpl = 0x80004001;
inline constexpr HResult kNoInterface = 0x80004002;
inline constexpr HResult kPointer = 0x80004003;
inline constexpr HResult kFail = 0x80004005;
inline constexpr HResult kUnexpected = 0x8000FFFF;
inline constexpr HResult kInvalidArg = 0x80070057;
inline constexpr HResult kElementNotFound = 0x8002802B;
inline constexpr HResult kInvalidProgId = 0x800401F3;
// The script failed and the engine has told the site already (OnScriptError).
inline constexpr HResult kReported = 0x80020101;
inline constexpr bool Failed(HResult result) {
    return (result & 0x80000000u) != 0;
}
// An operating-system error as a result: the low 16 bits in the Win32 facility; values that
// are not positive stand as they are.
HResult FromSystemError(int error);
}  // namespace hr

// How an engine's script is: loaded, running with its event handlers connected, or not.
enum class ScriptState { Uninitialized, Initialized, Started, Connected, Disconnected, Closed };

// Flags of a named item.
namespace scriptitem {
inline constexpr uint32_t kIsVisible = 2;  // the script sees it under its name
inline constexpr uint32_t kIsSource = 4;   // the script handles its events
}  // namespace scriptitem

// What the engine tells the site of a failed script.
struct ScriptError {
    QString description;
    QString source;      // who raised it; empty for the script's own errors
    QString sourceLine;  // the text of the line at fault
    int line = 0;        // as the engine counts, from 1
    int character = -1;  // -1 when the engine cannot tell
    int code = 0;        // a 16-bit code of the error's own, 0 for none
    HResult scode = hr::kFail;
};

// What an engine asks of its host.
class ScriptSite {
public:
    static constexpr uint32_t kItemUnknown = 1;   // SCRIPTINFO_IUNKNOWN
    static constexpr uint32_t kItemTypeInfo = 2;  // SCRIPTINFO_ITYPEINFO

    virtual ~ScriptSite() = default;
    // The object (and its class information) behind a named item; a null name means the
    // Application.
    virtual HResult GetItemInfo(const QString& name, uint32_t mask,
                                std::shared_ptr<DispatchObject>* object,
                                const TypeLibrary::Coclass** typeInfo) = 0;
    virtual HResult OnScriptError(const ScriptError& error) = 0;
    virtual HResult OnEnterScript() = 0;
    virtual HResult OnLeaveScript() = 0;
};

// A script engine: created by language name, given a site and named items, fed script
// text, and run (connected: global code has run, event handlers are called).
class ScriptEngine {
public:
    virtual ~ScriptEngine() = default;
    virtual HResult SetScriptSite(ScriptSite* site) = 0;
    virtual HResult InitNew() = 0;
    virtual HResult AddNamedItem(const QString& name, uint32_t flags) = 0;
    // Parsed now; run when the engine starts, or at once when it runs already.
    virtual HResult ParseScriptText(const QString& code) = 0;
    virtual HResult SetScriptState(ScriptState state) = 0;
    virtual HResult GetScriptState(ScriptState* state) const = 0;
    virtual HResult Close() = 0;
    // The script's global object: its functions callable by name. Null before InitNew.
    virtual std::shared_ptr<DispatchObject> GetScriptDispatch() = 0;
    // From any thread: stops the script code running now, with an error.
    virtual void Interrupt() = 0;
    // True while script code of this engine runs (it has called out to the host).
    virtual bool IsRunningCode() const = 0;
};

}  // namespace tavi::automation::script
