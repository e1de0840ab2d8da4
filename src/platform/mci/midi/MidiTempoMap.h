#pragma once

#include <cstdint>
#include <vector>

namespace tavi::mci {

// Ticks of a MIDI file to milliseconds and back, by its tempo changes (microseconds per
// quarter note, 120 beats a minute until the first change).
class MidiTempoMap {
public:
    explicit MidiTempoMap(uint32_t ticksPerQuarter = 96);

    // Changes may come in any order of ticks; a later one at the same tick wins.
    void AddChange(uint64_t tick, uint32_t microsecondsPerQuarter);
    double MillisecondsAt(uint64_t tick) const;
    // The first tick at or after ms.
    uint64_t TickAt(double ms) const;

private:
    struct Change {
        uint64_t tick;
        uint32_t microsecondsPerQuarter;
    };
    void Sort() const;

    uint32_t m_ticksPerQuarter;
    mutable std::vector<Change> m_changes;
    mutable bool m_sorted = true;
};

}  // namespace tavi::mci
