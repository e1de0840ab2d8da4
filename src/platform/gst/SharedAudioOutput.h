#pragma once

#include "AudioOutput.h"
#include "GainRamp.h"
#include "HeardFrames.h"
#include "MixQueue.h"
#include "platform/pulse/PulseStream.h"

#include <QString>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

namespace tavi::gst {

// The sound output every track feeds. It outlives the tracks, so that a change of track
// neither reconnects to the sound server nor lets its buffer run dry. The device and null
// outputs pace the feeds: they take a period whenever the device wants one (silence when
// nothing is queued), and a feed queues ahead as far as WaitForRoom lets it. After a second
// of silence they pause (no wake-ups while idle) and the next Push starts them again.
// Sound is pushed as stereo 44.1 kHz, 32-bit float (FeedCaps) or 16-bit (S16Caps), and
// queued and played as 16-bit, the format of the decoders and of the sound server's sinks.
// The device is the sound server's own stream where there is a server (written from its
// connection's thread, SharedAudioOutputStream.cpp), else a GStreamer sink that pulls
// (SharedAudioOutputPipeline.cpp).
//
// The device and null outputs run until the output choice changes. A file output is
// finished (its end written) as soon as no track holds it, so the file can be read then; it
// writes what it is pushed at once and has no pace of its own.
// Push, Flush, WaitForRoom and the tap run on any thread; Acquire on the UI thread.
class SharedAudioOutput : public std::enable_shared_from_this<SharedAudioOutput> {
public:
    static constexpr int kRate = 44100;
    static constexpr int kChannels = 2;
    enum class SampleFormat { F32, S16 };
    static const char* FeedCaps();  // F32
    static const char* S16Caps();

    // The output for this choice: the running one when spec and deviceKey match it, else a
    // new one (makeDevice gives the chosen device's sink, or null for the default). Null
    // with *error when the output cannot start.
    static std::shared_ptr<SharedAudioOutput> Acquire(const AudioOutputSpec& spec,
                                                      const QString& deviceKey,
                                                      const std::function<ElementPtr()>& makeDevice,
                                                      QString* error);
    // Sees every period of sound the output plays (silence included), for measurements.
    using Tap = std::function<void(const float* samples, size_t frames)>;
    static void SetTap(Tap tap);

    ~SharedAudioOutput();
    SharedAudioOutput(const SharedAudioOutput&) = delete;
    SharedAudioOutput& operator=(const SharedAudioOutput&) = delete;

    // Queues a buffer in the given format to be heard next. Returns the number of frames
    // queued so far, this buffer's included, to compare with FramesTaken.
    // A feed's place on the output's time line: sound of two lanes running at once is mixed
    // (tracks overlapping), a lane started after the others ended follows their sound.
    using Lane = MixQueue::Lane;
    static Lane NewLane() { return MixQueue::NewLane(); }
    static constexpr Lane kSequential = MixQueue::kSequential;

    // A feed's own level (loudness correction, crossfade) comes with its buffer; sound of
    // no lane (the engines that write to the output directly) plays at SequentialGain.
    guint64 Push(GstBuffer* buffer, SampleFormat format = SampleFormat::F32,
                 Lane lane = kSequential, GainRamp gain = {});
    // The same for live sound: dropped when more than a capture period or two is already
    // waiting, so that live sound is heard at once (the queue catches up with the source).
    guint64 PushLive(GstBuffer* buffer, SampleFormat format, Lane lane = kSequential,
                     GainRamp gain = {});
    // The level of sound pushed without a lane, for every output; 1 until changed.
    static void SetSequentialGain(float gain);
    static float SequentialGain();
    // Where a lane that has pushed nothing yet will start (MixQueue::StartLaneAt).
    void StartLaneAt(Lane lane, guint64 frame);
    // The lane's last sound is queued (its end of stream) / the lane is gone.
    void EndLane(Lane lane);
    void ForgetLane(Lane lane);
    // A live feed is attached or gone. While one is, the device runs with short periods and
    // a small buffer (what is captured is heard at once), and the queue keeps no cushion;
    // the device goes back to its cheap long periods when the output next falls idle. The
    // change restarts the device, so it waits until the device holds no sound of recorded
    // tracks; live sound it held is dropped (it has to skip ahead to be heard sooner).
    void AddLiveFeed();
    void RemoveLiveFeed();
    // Frames taken from the queue so far: played, or dropped by a flush.
    guint64 FramesTaken();
    // Of those, the ones heard by now: on the sound server's stream, less what the server
    // still holds; elsewhere the same as FramesTaken.
    guint64 FramesHeard();
    // While any feed holds it (paused tracks: both of an overlap pause together), the queue
    // stays and the device gets silence. Every Hold(true) is undone by one Hold(false).
    void Hold(bool held);
    // Drops what was queued and not yet heard (after a seek or a stop), the device's buffer
    // included.
    void Flush();
    // The same for a track closed before its end (stopped, or left for another entry), unless
    // another track still runs with it (a crossfade): its sound is not heard any more. A
    // file output keeps what it was given.
    void FlushUnlessOthersRun(Lane lane);
    // Whether the output takes sound at the device's pace; a feed of a pacing output may
    // render faster than real time and wait here before each Push.
    bool Paces() const { return m_paced; }
    // Waits until less than the queue-ahead is queued, `cancelled` or `held` is set (then
    // WakeWaiters is called), or a stalled device has taken nothing for a while. False when
    // cancelled.
    bool WaitForRoom(const std::atomic<bool>& cancelled, Lane lane = kSequential,
                     const std::atomic<bool>& held = kNeverHeld);
    // The same up to a mark of the caller's (frames ahead of the device).
    bool WaitForRoomBelow(size_t mark, const std::atomic<bool>& cancelled, Lane lane,
                          const std::atomic<bool>& held);
    // Waits until the lane's sound reaches no further than the queue-ahead, as far as a feed
    // that waits at every period would have queued: where a track's end is reported. A held
    // lane waits until it plays on; a stalled device lets it go after a while; `cancelled`
    // ends it at once.
    void WaitUntilDueToEnd(const std::atomic<bool>& cancelled, Lane lane,
                           const std::atomic<bool>& held);
    // How far ahead of the device the lane's next frame would go.
    size_t AheadOf(Lane lane);
    void WakeWaiters();
    // How long until WaitForRoom would return at the device's pace: for a writer that waits
    // where it can be interrupted. 0 when there is room now.
    double SecondsUntilRoom(Lane lane = kSequential);
    // The GStreamer pipeline of an output that plays through one; null for the sound
    // server's own stream.
    GstElement* Pipeline() const { return m_pipeline.get(); }
    // The buffer the device was given, in microseconds.
    gint64 DeviceBufferUs();

    static const std::atomic<bool> kNeverHeld;

    // How the device is fed: period, and the sink's own period and buffer.
    struct DeviceProfile {
        size_t periodFrames;
        gint64 sinkPeriodUs;
        gint64 sinkBufferUs;
    };

private:
    SharedAudioOutput();
    bool Start(const AudioOutputSpec& spec, ElementPtr device, QString* error);
    bool StartPipeline(const AudioOutputSpec& spec, ElementPtr device, QString* error);
    bool StartStream(const QByteArray& sinkName);
    bool IsHealthy() const;
    size_t Take(int16_t* out, size_t frames);
    // A waiter for room, known to the takes so that they wake it only when it has room.
    struct RoomWait {
        RoomWait(std::vector<RoomWait*>& all, Lane lane, size_t mark);
        ~RoomWait();
        RoomWait(const RoomWait&) = delete;
        RoomWait& operator=(const RoomWait&) = delete;
        std::vector<RoomWait*>& waits;
        const Lane lane;
        const size_t mark;
    };
    bool RoomForAWaiter() const;
    bool NoteCushion();
    size_t TakeQueued(int16_t* out, size_t frames);
    const DeviceProfile* WantedProfile(bool* idle);
    void FeedDevice(GstElement* source);
    // What the sound server's stream gets next: `frames` of sound, the rest of the period
    // silence; or nothing yet, looked at again when the server asks, sound is pushed, or
    // lookAgainIn has passed.
    struct StreamTake {
        bool write = true;
        size_t frames = 0;
        guint64 queueEnd = 0;                      // the queue's front after the take
        std::chrono::milliseconds lookAgainIn{0};  // 0: when the server or a push asks
    };
    StreamTake TakeForStream(int16_t* out, size_t frames, size_t buffered);
    void ServeStream(pulse::PulseStream& stream);
    void ApplyWantedStreamState();
    void ForgetStreamWrites();
    gint64 PipelineBufferUs();
    void TapPeriod(const int16_t* samples, size_t frames);
    guint64 Place(GstBuffer* buffer, SampleFormat format, Lane lane, GainRamp gain, bool live);
    void WriteReachedToFile();
    void DropHeard();
    // Flush when the test of the queue holds.
    template <typename Test>
    void FlushIf(const Test& test);
    void PushToFile(const int16_t* samples, size_t count);
    void NoteSilence(size_t frames, size_t period);
    void WakeFromIdle(std::unique_lock<std::mutex>& lock);
    void ApplyIdleState();
    void ApplyWantedState(GstElement* pipeline);
    void RestartDevice(GstElement* pipeline, const DeviceProfile& profile);
    void NoteLiveOnlyPeriod(size_t period);
    void Finish();
    static void OnNeedData(GstElement* source, guint length, gpointer self);

    ElementPtr m_pipeline;
    ElementPtr m_source;                           // appsrc
    std::unique_ptr<pulse::PulseStream> m_stream;  // instead of m_pipeline on a sound server
    bool m_paced = true;      // false for the file output: it writes what arrives, no silence
    std::mutex m_stateMutex;  // orders the idle state changes and device restarts
    const DeviceProfile* m_profile;  // the device's, under m_stateMutex
    std::mutex m_mutex;              // guards everything below
    std::condition_variable m_room;
    std::vector<RoomWait*> m_roomWaits;         // the callers waiting in m_room for room
    MixQueue m_mix{MixQueue::MixStart::Front};  // what waits to be heard
    bool m_priming = true;                      // waiting for a cushion of sound before playing it
    guint64 m_frames = 0;                       // frames sent to the device so far (timestamps)
    int m_holds = 0;                            // feeds holding the queue
    size_t m_silentFrames = 0;                  // silence sent since the last sound
    bool m_idle = false;                        // paused for want of sound
    bool m_wantsSound = false;  // the stream has room and waits for a push to fill it
    HeardFrames m_heard;        // the stream's last periods, for what is heard of them
    int m_liveFeeds = 0;
    size_t m_periodFrames;                             // the device's period now
    std::chrono::steady_clock::time_point m_lastTake;  // when the device last took sound
    std::chrono::steady_clock::time_point m_lastPush;  // when sound was last queued
    guint64 m_recordedUpTo = 0;   // the queue's end after the last sound of a recorded track
    size_t m_liveOnlyFrames = 0;  // given to the device since that sound was taken
    std::vector<float> m_tapSamples;
};

}  // namespace tavi::gst
