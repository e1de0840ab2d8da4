#include "MidiTempoMap.h"

#include <algorithm>
#include <cmath>

namespace tavi::mci {

MidiTempoMap::MidiTempoMap(uint32_t ticksPerQuarter)
    : m_ticksPerQuarter(std::max<uint32_t>(ticksPerQuarter, 1)) {
    m_changes.push_back({0, 500000});
}

void MidiTempoMap::AddChange(uint64_t tick, uint32_t microsecondsPerQuarter) {
    if (tick == 0) {
        m_changes.front().microsecondsPerQuarter = microsecondsPerQuarter;
        return;
    }
    m_sorted = m_sorted && tick >= m_changes.back().tick;
    m_changes.push_back({tick, microsecondsPerQuarter});
}

// Stable, so that of two changes at one tick the later one read stays the later one.
void MidiTempoMap::Sort() const {
    if (!m_sorted) {
        std::stable_sort(m_changes.begin(), m_changes.end(),
                         [](const Change& a, const Change& b) { return a.tick < b.tick; });
        m_sorted = true;
    }
}

double MidiTempoMap::MillisecondsAt(uint64_t tick) const {
    Sort();
    double ms = 0.0;
    for (size_t i = 0; i < m_changes.size() && m_changes[i].tick < tick; ++i) {
        const uint64_t end =
            i + 1 < m_changes.size() ? std::min(m_changes[i + 1].tick, tick) : tick;
        ms += double(end - m_changes[i].tick) * m_changes[i].microsecondsPerQuarter /
              (1000.0 * m_ticksPerQuarter);
    }
    return ms;
}

uint64_t MidiTempoMap::TickAt(double ms) const {
    Sort();
    double elapsed = 0.0;
    for (size_t i = 0; i < m_changes.size(); ++i) {
        const double msPerTick = m_changes[i].microsecondsPerQuarter / (1000.0 * m_ticksPerQuarter);
        const bool last = i + 1 == m_changes.size();
        const double span =
            last ? 0.0 : double(m_changes[i + 1].tick - m_changes[i].tick) * msPerTick;
        if (last || elapsed + span > ms) {
            if (msPerTick <= 0.0) {
                return m_changes[i].tick;
            }
            return m_changes[i].tick + uint64_t(std::ceil(std::max(0.0, ms - elapsed) / msPerTick));
        }
        elapsed += span;
    }
    return 0;
}

}  // namespace tavi::mci
