#include "HeardFrames.h"

#include "SharedAudioOutput.h"

#include <algorithm>

namespace tavi::gst {

void HeardFrames::NoteWrite(uint64_t queueEnd, size_t sound, size_t period, size_t held,
                            Clock::time_point at) {
    m_writes[m_next] = {queueEnd, std::min(sound, period), period};
    m_next = (m_next + 1) % kKept;
    m_count = std::min(m_count + 1, kKept);
    m_held = held;
    m_heldAt = at;
}

// Walks back from the last period written over what the server has not played yet; the
// period it ends in says which queued frame is playing (its start, in trailing silence).
uint64_t HeardFrames::At(Clock::time_point now, uint64_t taken) const {
    if (m_count == 0) {
        return taken;
    }
    const double played = std::max(0.0, std::chrono::duration<double>(now - m_heldAt).count()) *
                          SharedAudioOutput::kRate;
    size_t unplayed = size_t(std::max(0.0, double(m_held) - played));
    const Write* oldest = nullptr;
    for (size_t i = 0; i < m_count; ++i) {
        const Write& write = m_writes[(m_next + kKept - 1 - i) % kKept];
        oldest = &write;
        if (unplayed >= write.period) {
            unplayed -= write.period;
            continue;
        }
        const size_t playedOfIt = write.period - unplayed;
        const uint64_t heard = write.queueEnd - write.sound + std::min(playedOfIt, write.sound);
        return std::min(heard, taken);
    }
    return std::min(oldest->queueEnd - oldest->sound, taken);
}

}  // namespace tavi::gst
