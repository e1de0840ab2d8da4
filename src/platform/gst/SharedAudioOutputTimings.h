#pragma once

// The shared output's timings, for its queue (SharedAudioOutput.cpp) and its two devices:
// a GStreamer sink (SharedAudioOutputPipeline.cpp) or the sound server's stream
// (SharedAudioOutputStream.cpp).
#include "SharedAudioOutput.h"

#include <chrono>
#include <cstddef>

namespace tavi::gst::output {

using DeviceProfile = SharedAudioOutput::DeviceProfile;
inline constexpr int kRate = SharedAudioOutput::kRate;

// The device is fed in periods of 200 ms: every period wakes us, the sound server's client
// thread and the server, and at 50 ms those wake-ups were most of what playing cost. Sound is
// held back until a period and 10 ms are queued, so the device never gets part of a period;
// a feed waits until less than 300 ms are queued ahead of the device, and its end waits for
// that too, which leaves 100 ms beyond a period to cover the moment between one track's end
// and the next one's start.
// The sound server's buffer for the stream is 600 ms. The server keeps its sink's latency at
// half of the buffer less two of its requests' minimum (half a period on the stream, a period
// on a GStreamer sink), and asks for sound as often as that latency: every 200 ms on the
// stream. A smaller buffer keeps the server busy (at 400 ms it spent ten times the CPU we
// did). A flush drops the buffer at once (DropHeard); a paused track is still heard for what
// the server holds, 0.4 to 0.6 s.
inline constexpr DeviceProfile kCheapProfile{kRate / 5, 200'000, 600'000};
// Live input: 10-ms periods and a 40-ms buffer at the server, so captured sound is heard
// within a few periods.
inline constexpr DeviceProfile kLiveProfile{kRate / 100, 10'000, 40'000};
// A restart drops what the device holds: it waits until the device has been given this
// much since the last sound of a recorded track, more than the cheap buffer holds.
inline constexpr size_t kDeviceHoldsFrames = kRate * 650 / 1000;
inline constexpr size_t kPrimeFrames = kRate * 210 / 1000;
inline constexpr size_t kQueueAheadFrames = kRate * 300 / 1000;
// A feed that wakes refills the queue to this, so that it wakes once in three periods, not
// at every one. The sound it queued is heard that much later after a change of its own
// volume or a fade that starts at once.
inline constexpr size_t kFillAheadFrames = kRate * 700 / 1000;
// Live sound waits at most this long in the queue; more means it came while the device
// could not take it, and the newest is dropped so that what follows is not late.
inline constexpr size_t kLiveBacklogFrames = kRate * 30 / 1000;
// A feed that runs ahead anyway (a stalled device) loses its oldest sound past 2 s.
inline constexpr size_t kMaxQueuedFrames = kRate * 2;
inline constexpr auto kStallTimeout = std::chrono::seconds(1);
inline constexpr double kLateTakeRetrySeconds = 0.005;
inline constexpr auto kPrimeWait = std::chrono::milliseconds(100);
// After this much silence the output pauses until sound comes again.
inline constexpr size_t kIdleFrames = kRate;
// The sound server's stream is looked at again this long after it waited for a cushion
// that is only complete once nothing more has come for kPrimeWait.
inline constexpr auto kPrimeRetry = kPrimeWait + std::chrono::milliseconds(5);

}  // namespace tavi::gst::output
