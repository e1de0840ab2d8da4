#pragma once

#include "CException.h"

namespace tavi::errors {

// A system call failed; carries the system's error code (an errno value on this platform).
// The message is the system's text for the code, or "Command failed." when there is none.
class CWin32Exception : public CException {
public:
    explicit CWin32Exception(int errorCode) : m_errorCode(errorCode) {}

    // Takes the code from errno, for use right after a failed call.
    static CWin32Exception FromErrno();

    int GetErrorCode() const { return m_errorCode; }
    QString GetErrorMessage() const override;

private:
    int m_errorCode;
};

}  // namespace tavi::errors
