#pragma once

#include "MciParms.h"

#include <mutex>

namespace tavi::mci {

// The one completion notice a device owes for its play command. A new play supersedes the
// one pending, a stop aborts it, the end of play reports it. Thread-safe: the end of play is
// found on the device's worker.
class MciNotifySlot {
public:
    // Takes a new command's callback (none for a command without MCI_NOTIFY); the one
    // pending is told it was superseded.
    void Replace(NotifyCallback callback, DeviceId device);
    // Reports code to the pending callback, if any, and clears it.
    void Finish(uint32_t code);
    // Forgets the pending callback without a report (its command failed).
    void Discard();
    bool IsPending();

private:
    std::mutex m_mutex;  // guards both fields
    NotifyCallback m_callback;
    DeviceId m_device = 0;
};

}  // namespace tavi::mci
