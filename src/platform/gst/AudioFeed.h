#pragma once

#include "FadeEnvelope.h"
#include "SharedAudioOutput.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <optional>

namespace tavi::gst {

// One track's connection to the shared output. The track's pipeline ends in the feed's
// sink, which hands each buffer to the output. With a pacing output the sink keeps no clock
// of its own: it renders as fast as the output makes room, so the output's device sets the
// pace and the track's thread sleeps between periods instead of at every buffer. With the
// file output (no pace) the sink renders in real time, as before. A flush (seek, stop) drops
// the sound the track had queued. Detach ends the connection: the output is released even
// while the track's pipeline still exists.
class AudioFeed {
public:
    explicit AudioFeed(std::shared_ptr<SharedAudioOutput> output) : m_output(std::move(output)) {}
    ~AudioFeed();
    AudioFeed(const AudioFeed&) = delete;
    AudioFeed& operator=(const AudioFeed&) = delete;

    // The sink element for a track's pipeline; it keeps the feed alive as long as it exists.
    static ElementPtr CreateSink(const std::shared_ptr<AudioFeed>& feed, QString* error);
    // A pipeline with video keeps its sound on the clock the pictures are shown by.
    static void KeepRealTime(GstElement* pipeline);

    // A live source (capture) never waits for room: it cannot be held back, so what the
    // output cannot take soon is dropped instead of making the sound late. Set before the
    // sink's pipeline runs; the output then keeps what it plays short (AddLiveFeed).
    void SetLive(bool live);
    void Push(GstBuffer* buffer);
    // A paused track holds its queued sound, to be heard when it plays on.
    void Hold(bool held);
    void Detach();
    // Where the sound being heard stands in the track (seconds: what the device has been
    // given, less what the sound server still holds of it), after the
    // first buffer of a pacing output's feed since it started or last flushed; at the end of
    // the stream, the end. Otherwise nothing: the pipeline's own position holds then.
    std::optional<double> HeardPosition();

    // The track's own level (its loudness correction), from the next buffer on: set before
    // it plays, it holds from the first sample.
    void SetGain(float gain);
    // Crossfading. The track rises from silence over its first `seconds` / falls to silence
    // over `seconds` from the stream time `from`, or from what it pushes next.
    void FadeIn(double seconds);
    void FadeOut(double from, double seconds);
    void FadeOutNow(double seconds);
    // Where on the output's time line the sound of this track at stream time `seconds` goes
    // (or went), from what it has pushed so far; nothing before its first push.
    std::optional<guint64> FrameAt(double seconds);
    // This track's sound starts at that frame of the output, not at once (set before it
    // plays).
    void StartAt(guint64 frame);

private:
    static GstPadProbeReturn OnEvent(GstPad* pad, GstPadProbeInfo* info, gpointer feed);
    std::shared_ptr<SharedAudioOutput> Output();
    void BeginFlush();
    bool WaitToPush(SharedAudioOutput& output);
    void OnEndOfStream();
    GainRamp GainFor(GstBuffer* buffer);
    void NotePushed(GstBuffer* buffer, guint64 frames);

    std::mutex m_mutex;    // guards m_output and m_envelope
    std::mutex m_placing;  // held while a buffer is queued: none goes in after a flush
    std::shared_ptr<SharedAudioOutput> m_output;
    FadeEnvelope m_envelope;
    std::atomic<float> m_gain = 1.0f;
    std::atomic<bool> m_stopping = false;     // flushing or detached: the buffer in hand is dropped
    std::atomic<bool> m_queuedSound = false;  // pushed since the last flush
    std::atomic<SharedAudioOutput::SampleFormat> m_format = SharedAudioOutput::SampleFormat::S16;
    std::atomic<bool> m_held = false;
    std::atomic<bool> m_live = false;
    const SharedAudioOutput::Lane m_lane = SharedAudioOutput::NewLane();
    GstSegment m_segment{};  // the streaming thread's alone
    // The stream time at the end of the last buffer pushed, and the output's count of frames
    // queued with it; -1 when nothing was pushed since the last flush.
    std::atomic<gint64> m_pushedUpTo = -1;
    std::atomic<gint64> m_startedAt = 0;  // stream time of the first buffer since the flush
    std::atomic<guint64> m_pushedFrames = 0;
    std::atomic<bool> m_ended = false;
    bool m_refilling = false;  // the streaming thread's alone: filling the queue to the mark
};

}  // namespace tavi::gst
