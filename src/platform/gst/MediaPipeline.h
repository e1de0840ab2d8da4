#pragma once

#include "GstSupport.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace tavi::gst {

// One file's pipeline: either playbin, which finds the decoders itself, or an explicit
// chain of named elements from the file source to the audio output. The audio filter and
// sink are given before rendering. Not thread-safe: the owner serialises calls; only the
// bus is shared with a watcher thread.
class MediaPipeline {
public:
    MediaPipeline() = default;
    ~MediaPipeline();  // leaves the pipeline in the NULL state before releasing it
    MediaPipeline(const MediaPipeline&) = delete;
    MediaPipeline& operator=(const MediaPipeline&) = delete;

    void SetAudioFilter(ElementPtr filter) { m_audioFilter = std::move(filter); }
    void SetAudioSink(ElementPtr sink) { m_audioSink = std::move(sink); }
    // Where playbin sends video (discarded in real time when none is given). A non-zero
    // windowHandle is handed to the sink's GstVideoOverlay when it asks for one.
    void SetVideoSink(ElementPtr sink, guintptr windowHandle) {
        m_videoSink = std::move(sink);
        m_windowHandle = windowHandle;
    }

    // Loads the file through playbin and prerolls it. False with *error set on failure.
    bool RenderWithPlaybin(const QString& file, PipelineError* error);
    // Loads the file through filesrc ! decoders... ! audio chain; false when an element is
    // missing or the chain does not preroll (the pipeline is then released).
    bool RenderWithChain(const QString& file, const QStringList& decoders, PipelineError* error);
    bool IsRendered() const { return m_pipeline != nullptr; }

    bool SetState(GstState state, PipelineError* error);
    std::optional<double> Position() const;
    std::optional<double> Duration() const;
    // Moves to seconds; stop, when given, ends the run there.
    bool Seek(double seconds, std::optional<double> stop = std::nullopt);
    // Linear gain, 1.0 = unchanged.
    double Volume() const;
    void SetVolume(double linear);
    bool HasVideo() const;
    GstBus* Bus() const;
    GstElement* Pipeline() const { return m_pipeline.get(); }

private:
    bool Preroll(PipelineError* error);
    void Release();

    ElementPtr m_pipeline;
    ElementPtr m_volumeElement;  // playbin itself, or the chain's volume element
    ElementPtr m_audioFilter;
    ElementPtr m_audioSink;
    ElementPtr m_videoSink;
    guintptr m_windowHandle = 0;
    bool m_isPlaybin = false;
};

}  // namespace tavi::gst
