#include "MixQueue.h"

#include <algorithm>
#include <atomic>
#include <limits>

namespace tavi::gst {

namespace {

int16_t Mixed(int16_t a, int16_t b) {
    return int16_t(std::clamp(int(a) + int(b), -32768, 32767));
}

}  // namespace

MixQueue::Lane MixQueue::NewLane() {
    static std::atomic<Lane> next{1};
    return next++;
}

MixQueue::LaneState* MixQueue::Find(Lane lane) {
    for (LaneState& state : m_lanes) {
        if (state.id == lane) {
            return &state;
        }
    }
    return nullptr;
}

const MixQueue::LaneState* MixQueue::Find(Lane lane) const {
    return const_cast<MixQueue*>(this)->Find(lane);
}

uint64_t MixQueue::Reached() const {
    uint64_t reached = std::numeric_limits<uint64_t>::max();
    for (const LaneState& state : m_lanes) {
        if (!state.ended) {
            reached = std::min(reached, state.cursor);
        }
    }
    // Never behind the front: what was taken is complete whatever a lane still owes.
    return reached == std::numeric_limits<uint64_t>::max() ? End() : std::max(reached, m_front);
}

// A lane that has sound queued goes on where it stopped (never before the front: sound that
// comes late is heard at once). A new one is mixed in while another still runs.
uint64_t MixQueue::StartOf(Lane lane) const {
    if (const LaneState* state = Find(lane)) {
        return std::max(state->cursor, m_front);
    }
    const bool othersRun =
        lane != kSequential && std::any_of(m_lanes.begin(), m_lanes.end(),
                                           [](const LaneState& state) { return !state.ended; });
    if (!othersRun) {
        return End();
    }
    return m_mixStart == MixStart::Front ? m_front : Reached();
}

bool MixQueue::RunsAlone(Lane lane) const {
    return std::all_of(m_lanes.begin(), m_lanes.end(),
                       [lane](const LaneState& state) { return state.id == lane || state.ended; });
}

size_t MixQueue::AheadOf(Lane lane) const {
    return size_t(StartOf(lane) - m_front);
}

uint64_t MixQueue::Place(Lane lane, const int16_t* samples, size_t frames) {
    const uint64_t start = StartOf(lane);
    const size_t offset = size_t(start - m_front);
    const size_t queued = Queued();
    if (offset > queued) {
        m_samples.insert(m_samples.end(), (offset - queued) * 2, int16_t(0));
    }
    const size_t overlap = std::min(frames, std::max(queued, offset) - offset);
    int16_t* mixInto = m_samples.data() + m_read + offset * 2;
    for (size_t i = 0; i < overlap * 2; ++i) {
        mixInto[i] = Mixed(mixInto[i], samples[i]);
    }
    m_samples.insert(m_samples.end(), samples + overlap * 2, samples + frames * 2);
    const uint64_t cursor = start + frames;
    if (lane != kSequential) {
        if (LaneState* state = Find(lane)) {
            state->cursor = cursor;
            state->ended = false;
        } else {
            m_lanes.push_back({lane, cursor, false});
        }
    }
    return cursor;
}

size_t MixQueue::Take(int16_t* out, size_t frames) {
    const size_t taken = std::min(frames, Queued());
    std::copy_n(m_samples.begin() + ptrdiff_t(m_read), taken * 2, out);
    Skip(taken);
    return taken;
}

void MixQueue::Skip(size_t frames) {
    const size_t skipped = std::min(frames, Queued());
    m_read += skipped * 2;
    m_front += skipped;
    Compact();
}

void MixQueue::Compact() {
    if (m_read > 0 && m_read * 2 >= m_samples.size()) {
        m_samples.erase(m_samples.begin(), m_samples.begin() + ptrdiff_t(m_read));
        m_read = 0;
    }
}

void MixQueue::Clear() {
    m_front = End();
    m_samples.clear();
    m_read = 0;
    // A lane that was behind another goes on from the front too: what it would have mixed
    // into is gone.
    for (LaneState& state : m_lanes) {
        state.cursor = m_front;
    }
}

void MixQueue::EndLane(Lane lane) {
    if (LaneState* state = Find(lane)) {
        state->ended = true;
    }
}

void MixQueue::StartLaneAt(Lane lane, uint64_t frame) {
    if (lane != kSequential && !Find(lane)) {
        m_lanes.push_back({lane, std::max(frame, m_front), false});
    }
}

void MixQueue::ForgetLane(Lane lane) {
    m_lanes.erase(std::remove_if(m_lanes.begin(), m_lanes.end(),
                                 [lane](const LaneState& state) { return state.id == lane; }),
                  m_lanes.end());
}

}  // namespace tavi::gst
