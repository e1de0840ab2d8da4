#pragma once

#include <cstdint>
#include <vector>

namespace tavi::playlist {

class PlaylistModel;

// The C runtime's pseudo-random generator: values 0..32767 from a 32-bit linear
// congruential sequence, so a seed gives the same order on every machine.
class RuntimeRandom {
public:
    static constexpr int kMax = 32767;
    explicit RuntimeRandom(uint32_t seed) : m_state(seed) {}
    int next() {
        m_state = m_state * 214013u + 2531011u;
        return int((m_state >> 16) & 0x7FFF);
    }

private:
    uint32_t m_state;
};

// The order ShufflePlaylist produces for n entries: for i = 0..n-1 the entry at position
// (random mod (n - i)) among those not yet taken goes next. Where more than 32768 entries
// remain, two draws are combined so that every entry can come up (one draw reaches only the
// first 32768). Runs in O(n log n).
std::vector<int> ShuffleOrder(int n, RuntimeRandom& random);

// Shuffles the whole list, seeded from the current time in seconds mod 32767, and selects
// the first entry. Returns false (and does nothing) on an empty list.
bool ShufflePlaylist(PlaylistModel& model);

}  // namespace tavi::playlist
