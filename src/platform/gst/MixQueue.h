#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tavi::gst {

// The 16-bit stereo frames waiting to be heard, on one time line shared by every feed
// ("lane"). A lane that starts while another is still running is mixed in from now on (two
// tracks overlapping); one that starts when the others have ended goes after their sound, so
// consecutive tracks follow each other without a gap. One lane alone only appends, as
// cheaply as a plain queue. Frames are counted from the start of the output: the front is
// the next frame to be heard. Not thread-safe: the owner locks.
class MixQueue {
public:
    using Lane = uint64_t;
    static constexpr Lane kSequential = 0;  // pushes of no lane: always after everything queued

    // Where a new lane mixed in starts: the next frame to be heard (a device output) or the
    // point every running lane has reached (an output that writes at once).
    enum class MixStart { Front, Reached };
    explicit MixQueue(MixStart mixStart) : m_mixStart(mixStart) {}

    // A fresh lane number, unique for the run.
    static Lane NewLane();
    // Queues frames of a lane; returns the frame after them.
    uint64_t Place(Lane lane, const int16_t* samples, size_t frames);
    // Copies up to `frames` frames from the front to out and removes them; the number taken.
    size_t Take(int16_t* out, size_t frames);
    // Removes up to `frames` frames from the front unheard.
    void Skip(size_t frames);
    // Drops everything queued; every lane goes on from the front.
    void Clear();
    // The lane's last sound is queued; it no longer holds back others, and the next lane to
    // start goes after it.
    void EndLane(Lane lane);
    void ForgetLane(Lane lane);
    // A lane that has placed nothing yet starts at this frame (never before the front), not
    // where a new lane would: a crossfade puts the next track's start under the end of the
    // one playing. Until its sound comes, it holds back what an output writing at once
    // writes. A lane that already has a place keeps it.
    void StartLaneAt(Lane lane, uint64_t frame);

    size_t Queued() const { return (m_samples.size() - m_read) / 2; }
    uint64_t Front() const { return m_front; }
    uint64_t End() const { return m_front + Queued(); }
    // Whether every other lane has ended: nothing but this lane's sound is still coming.
    bool RunsAlone(Lane lane) const;
    // How far ahead of the front the lane's next frame would go.
    size_t AheadOf(Lane lane) const;
    // The frame every running lane has reached: what comes before it is complete.
    uint64_t Reached() const;

private:
    struct LaneState {
        Lane id;
        uint64_t cursor;
        bool ended;
    };
    LaneState* Find(Lane lane);
    const LaneState* Find(Lane lane) const;
    uint64_t StartOf(Lane lane) const;
    void Compact();

    MixStart m_mixStart;
    std::vector<int16_t> m_samples;  // interleaved, from m_read on
    size_t m_read = 0;
    uint64_t m_front = 0;
    std::vector<LaneState> m_lanes;  // lanes that have placed sound, a few at most
};

}  // namespace tavi::gst
