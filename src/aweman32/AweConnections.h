#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <set>

typedef struct _fluid_synth_t fluid_synth_t;

namespace aweman {

// The manager's open connections and the bank-1 SoundFont each synthesiser holds.
// Thread-safe, though the player calls from its UI thread only.
class AweConnections {
public:
    uintptr_t Open();
    bool IsOpen(uintptr_t handle);
    bool Close(uintptr_t handle);
    // The SoundFont id of the bank laid over synth's default font, or -1.
    int BankOf(fluid_synth_t* synth);
    void SetBank(fluid_synth_t* synth, int fontId);  // -1: none

private:
    std::mutex m_mutex;  // guards everything below
    uintptr_t m_next = 1;
    std::set<uintptr_t> m_open;
    std::map<fluid_synth_t*, int> m_banks;
};

AweConnections& connections();

}  // namespace aweman
