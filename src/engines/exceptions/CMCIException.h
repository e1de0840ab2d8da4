#pragma once

#include "platform/errors/CException.h"

#include <cstdint>

namespace tavi::engines {

// A media-control command failed: the command and the device's error code.
class CMCIException : public errors::CException {
public:
    CMCIException(uint32_t command, uint32_t errorCode)
        : m_command(command), m_errorCode(errorCode) {}
    uint32_t GetCommand() const { return m_command; }
    uint32_t GetErrorCode() const { return m_errorCode; }
    int GetHelpContext() const { return -1; }
    QString GetErrorMessage() const override { return ErrorText(m_errorCode); }
    // The text for a media-control error code; empty for codes without one.
    static QString ErrorText(uint32_t errorCode);

private:
    uint32_t m_command;
    uint32_t m_errorCode;
};

}  // namespace tavi::engines
