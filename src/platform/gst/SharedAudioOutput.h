#pragma once

#include "AudioOutput.h"

#include <QString>

#include <functional>
#include <memory>
#include <mutex>
#include <vector>

namespace tavi::gst {

// The sound output every track feeds. It outlives the tracks, so that a change of track
// neither reconnects to the sound server nor lets its buffer run dry: tracks render into
// it in real time, and it keeps the device fed, with silence when no track has sound.
// Sound passes as 32-bit float stereo at 44.1 kHz (FeedCaps).
//
// The device and null outputs run until the output choice changes. A file output is
// finished (its end written) as soon as no track holds it, so the file can be read then.
// Push, Flush and the tap run on any thread; Acquire on the UI thread.
class SharedAudioOutput {
public:
    static constexpr int kRate = 44100;
    static constexpr int kChannels = 2;
    static const char* FeedCaps();

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

    // Queues a buffer in FeedCaps format to be heard next.
    void Push(GstBuffer* buffer);
    // Drops what was queued and not yet heard (after a seek or a stop).
    void Flush();
    GstElement* Pipeline() const { return m_pipeline.get(); }

private:
    SharedAudioOutput() = default;
    bool Start(const AudioOutputSpec& spec, ElementPtr device, QString* error);
    bool IsHealthy() const;
    size_t Take(float* out, size_t frames);
    void FeedDevice(GstElement* source);
    void Finish();
    static void OnNeedData(GstElement* source, guint length, gpointer self);

    ElementPtr m_pipeline;
    ElementPtr m_source;  // appsrc
    bool m_paced = true;  // false for the file output: it writes what arrives, no silence
    std::mutex m_mutex;
    std::vector<float> m_queue;  // interleaved samples waiting to be heard, from m_read on
    size_t m_read = 0;
    bool m_priming = true;  // waiting for a cushion of sound before playing it
    guint64 m_frames = 0;   // frames sent to the device so far (timestamps)
};

}  // namespace tavi::gst
