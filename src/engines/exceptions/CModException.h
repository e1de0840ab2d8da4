#pragma once

#include "platform/errors/CException.h"

namespace tavi::engines {

// The module-music library failed.
class CModException : public errors::CException {
public:
    enum Code : int {
        InitializationError = -1301,
        FileNotFound = -1302,
        LibraryNotFound = -1303,
    };
    explicit CModException(int code) : m_code(code) {}
    int GetCode() const { return m_code; }
    int GetHelpContext() const { return -1; }
    QString GetErrorMessage() const override;

private:
    int m_code;
};

}  // namespace tavi::engines
