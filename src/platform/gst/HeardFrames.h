#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>

namespace tavi::gst {

// Which frame of the output's queue the sound server is playing now. The stream writes whole
// periods ahead of what is heard (a period may end in silence); what the server still holds
// is known when a period is written and shrinks as it plays. Without this a track's position
// ran ahead of its sound by the server's buffer, and moved in steps of a period.
class HeardFrames {
public:
    using Clock = std::chrono::steady_clock;

    // A period of `period` frames was written: its first `sound` frames are the queue's up
    // to `queueEnd`, the rest silence; the server then held `held` frames unplayed.
    void NoteWrite(uint64_t queueEnd, size_t sound, size_t period, size_t held,
                   Clock::time_point at);
    // The server dropped what it held (a flush): nothing written before is heard.
    void Clear() { m_count = 0; }
    // The queue's frame being heard at `now`; `taken` (the queue's front) when no write is
    // known. Never past `taken`.
    uint64_t At(Clock::time_point now, uint64_t taken) const;

private:
    struct Write {
        uint64_t queueEnd;
        size_t sound;
        size_t period;
    };
    // More periods than the server's largest buffer holds, for the shortest period.
    static constexpr size_t kKept = 32;
    std::array<Write, kKept> m_writes{};
    size_t m_next = 0;   // where the next write goes
    size_t m_count = 0;  // writes kept
    size_t m_held = 0;   // what the server held after the last write
    Clock::time_point m_heldAt;
};

}  // namespace tavi::gst
