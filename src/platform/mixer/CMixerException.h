#pragma once

#include "platform/errors/CException.h"

#include <cstdint>

namespace tavi::mixer {

// Result codes of the multimedia functions, as the mixer reports them.
enum MmResult : uint32_t {
    MMSYSERR_NOERROR = 0,
    MMSYSERR_BADDEVICEID = 2,
    MMSYSERR_ALLOCATED = 4,
    MMSYSERR_INVALHANDLE = 5,
    MMSYSERR_NODRIVER = 6,
    MMSYSERR_NOMEM = 7,
    MMSYSERR_INVALFLAG = 10,
    MMSYSERR_INVALPARAM = 11,
    MIXERR_INVALLINE = 1024,
    MIXERR_INVALCONTROL = 1025,
};

// A failed multimedia call, identified by its result code.
class CMMException : public errors::CException {
public:
    explicit CMMException(uint32_t code) : m_code(code) {}
    uint32_t GetCode() const { return m_code; }
    int GetHelpContext() const { return -1; }
    QString GetErrorMessage() const override;

private:
    uint32_t m_code;
};

// A failed mixer call: "Mixer Error: " and the text for the code.
class CMixerException : public CMMException {
public:
    using CMMException::CMMException;
    QString GetErrorMessage() const override;
    static QString TextForCode(uint32_t code);
};

}  // namespace tavi::mixer
