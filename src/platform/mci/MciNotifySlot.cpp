#include "MciNotifySlot.h"

namespace tavi::mci {

void MciNotifySlot::Replace(NotifyCallback callback, DeviceId device) {
    std::lock_guard lock(m_mutex);
    if (m_callback) {
        m_callback(MCI_NOTIFY_SUPERSEDED, m_device);
    }
    m_callback = std::move(callback);
    m_device = device;
}

void MciNotifySlot::Finish(uint32_t code) {
    std::lock_guard lock(m_mutex);
    if (m_callback) {
        m_callback(code, m_device);
        m_callback = nullptr;
    }
}

void MciNotifySlot::Discard() {
    std::lock_guard lock(m_mutex);
    m_callback = nullptr;
}

bool MciNotifySlot::IsPending() {
    std::lock_guard lock(m_mutex);
    return bool(m_callback);
}

}  // namespace tavi::mci
