#include "AweConnections.h"

namespace aweman {

uintptr_t AweConnections::Open() {
    std::lock_guard lock(m_mutex);
    const uintptr_t handle = m_next++;
    m_open.insert(handle);
    return handle;
}

bool AweConnections::IsOpen(uintptr_t handle) {
    std::lock_guard lock(m_mutex);
    return m_open.count(handle) != 0;
}

bool AweConnections::Close(uintptr_t handle) {
    std::lock_guard lock(m_mutex);
    return m_open.erase(handle) != 0;
}

int AweConnections::BankOf(fluid_synth_t* synth) {
    std::lock_guard lock(m_mutex);
    const auto found = m_banks.find(synth);
    return found == m_banks.end() ? -1 : found->second;
}

void AweConnections::SetBank(fluid_synth_t* synth, int fontId) {
    std::lock_guard lock(m_mutex);
    if (fontId < 0) {
        m_banks.erase(synth);
    } else {
        m_banks[synth] = fontId;
    }
}

AweConnections& connections() {
    static AweConnections instance;
    return instance;
}

}  // namespace aweman
