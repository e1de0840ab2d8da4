#pragma once

#include "platform/mixer/CMixer.h"

#include <QDeadlineTimer>
#include <QThread>

#include <cstdint>

namespace tavi::test {

// The sound server applies a change made through another client a moment later: reads until
// the expected value shows or a generous time has passed, and returns the last value read.
inline uint32_t settledVolume(mixer::MasterVolume& observer, uint32_t expected,
                              int timeoutMs = 10000) {
    QDeadlineTimer deadline(timeoutMs);
    uint32_t value = observer.Get();
    while (value != expected && !deadline.hasExpired()) {
        QThread::msleep(2);
        value = observer.Get();
    }
    return value;
}

}  // namespace tavi::test
