#pragma once

#include "MciConstants.h"

#include <QString>

#include <functional>

namespace tavi::mci {

// Receives a command's completion notice (an MCI_NOTIFY_* code) on a device's thread; it
// must only post the notice onwards.
using NotifyCallback = std::function<void(uint32_t code, DeviceId device)>;

// The parameter blocks of the commands. Every block begins with the callback that a
// command sent with MCI_NOTIFY reports to.
struct MCI_GENERIC_PARMS {
    virtual ~MCI_GENERIC_PARMS() = default;
    NotifyCallback dwCallback;
};

struct MCI_OPEN_PARMS : MCI_GENERIC_PARMS {
    DeviceId wDeviceID = 0;  // the answer
    QString lpstrDeviceType;
    QString lpstrElementName;
    QString lpstrAlias;
};

struct MCI_PLAY_PARMS : MCI_GENERIC_PARMS {
    uint32_t dwFrom = 0;
    uint32_t dwTo = 0;
};

struct MCI_SEEK_PARMS : MCI_GENERIC_PARMS {
    uint32_t dwTo = 0;
};

struct MCI_SET_PARMS : MCI_GENERIC_PARMS {
    uint32_t dwTimeFormat = 0;
    uint32_t dwAudio = 0;
};

struct MCI_STATUS_PARMS : MCI_GENERIC_PARMS {
    uintptr_t dwReturn = 0;  // the answer
    uint32_t dwItem = 0;
    uint32_t dwTrack = 0;
};

struct MCI_DGV_WINDOW_PARMS : MCI_GENERIC_PARMS {
    uintptr_t hWnd = 0;
    int nCmdShow = 0;
    QString lpstrText;
};

}  // namespace tavi::mci
