#pragma once

#include "GstSupport.h"
#include "PipelineOpening.h"

#include <QString>
#include <QStringList>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

namespace tavi::gst {

// One file's pipeline: either playbin, which finds the decoders itself, or an explicit
// chain of named elements from the file source to the audio output. The audio filter and
// sink are given before opening. Building and prerolling happen on a worker
// (PipelineOpening), and so does the final release, because both can block for as long as
// the file's source does. Not thread-safe: the owner serialises calls; only the bus is
// shared with a watcher thread.
class MediaPipeline {
public:
    enum class OpenResult { Ready, Failed, Pending };

    MediaPipeline() = default;
    ~MediaPipeline();  // releases the pipeline, on a worker
    MediaPipeline(const MediaPipeline&) = delete;
    MediaPipeline& operator=(const MediaPipeline&) = delete;

    void SetAudioFilter(ElementPtr filter) { m_request.audioFilter = std::move(filter); }
    // A sink that converts and resamples what it is given itself (an AudioFeed's): the chain
    // puts no converters of its own before it.
    void SetAudioSink(ElementPtr sink) { m_request.audioSink = std::move(sink); }
    // Where playbin sends video (discarded in real time when none is given). A non-zero
    // windowHandle is handed to the sink's GstVideoOverlay when it asks for one.
    void SetVideoSink(ElementPtr sink, guintptr windowHandle) {
        m_request.videoSink = std::move(sink);
        m_request.windowHandle = windowHandle;
    }

    // Loads the file, through filesrc ! decoders... ! audio chain first when decoders are
    // given, else (or when that fails) through playbin, and prerolls it, waiting at most
    // `wait`. Failed sets *error. Pending: the open goes on, and onLateEnd is called on the
    // worker when it ends; the owner then calls FinishOpen on its own thread.
    OpenResult Open(const QString& file, const QStringList& decoders,
                    std::chrono::milliseconds wait, std::function<void()> onLateEnd,
                    PipelineError* error);
    // The same for a live source (a capture device) in place of a file; a live pipeline
    // does not preroll, so it is ready as soon as its source has started.
    OpenResult OpenSource(ElementPtr source, std::chrono::milliseconds wait,
                          std::function<void()> onLateEnd, PipelineError* error);
    // Waits at most `wait` for an open that went on; true when it has ended (FinishOpen may
    // be called then, without waiting for onLateEnd).
    bool WaitForOpen(std::chrono::milliseconds wait);
    // After onLateEnd: takes the prerolled pipeline, or false with *error.
    bool FinishOpen(PipelineError* error);
    bool IsOpening() const { return m_opening != nullptr; }
    bool IsRendered() const { return m_pipeline != nullptr; }
    // Drops the pipeline (or the open in progress) at once; it is stopped on a worker.
    void Release();

    bool SetState(GstState state, PipelineError* error);
    std::optional<double> Position() const;
    // The length, asked of the pipeline once and then kept until ForgetDuration: every
    // query walks the whole pipeline, and the window asks several times a second.
    std::optional<double> Duration() const;
    // The stream's length has changed (its bus said so). Any thread.
    void ForgetDuration() { m_durationStale = true; }
    // Moves to seconds; stop, when given, ends the run there. Waits for the new position's
    // preroll a short while at most; until it is there, Position answers the target, and a
    // failure later arrives on the bus as an error.
    bool Seek(double seconds, std::optional<double> stop = std::nullopt);
    // Linear gain, 1.0 = unchanged. Set during an open, it applies once the open ends.
    double Volume() const;
    void SetVolume(double linear);
    bool HasVideo() const;
    GstBus* Bus() const;
    GstElement* Pipeline() const { return m_pipeline.get(); }

private:
    OpenResult Start(PipelineRequest request, std::chrono::milliseconds wait,
                     std::function<void()> onLateEnd, PipelineError* error);
    void Adopt(RenderedPipeline rendered);

    PipelineRequest m_request;  // the next open's elements
    std::shared_ptr<PipelineOpening> m_opening;
    ElementPtr m_pipeline;
    ElementPtr m_volumeElement;
    std::optional<double> m_volume;  // set while no volume element existed
    bool m_isPlaybin = false;
    mutable std::optional<double> m_seekTarget;  // while the preroll after a seek runs
    mutable std::optional<double> m_duration;    // the last length the pipeline answered
    mutable std::atomic<bool> m_durationStale{false};
};

}  // namespace tavi::gst
