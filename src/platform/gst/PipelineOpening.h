#pragma once

#include "GstSupport.h"

#include <QString>
#include <QStringList>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

namespace tavi::gst {

// What a file's pipeline is built from. The elements are handed over to the worker.
struct PipelineRequest {
    QString file;
    QStringList decoders;  // tried first as filesrc ! decoders... ! audio chain; empty: none
    ElementPtr source;     // a live source (capture) in place of the file: no playbin then
    ElementPtr audioFilter;
    ElementPtr audioSink;  // converts and resamples itself (MediaPipeline::SetAudioSink)
    ElementPtr videoSink;  // playbin's; null: video is discarded in real time
    guintptr windowHandle = 0;
};

// A built and prerolled pipeline.
struct RenderedPipeline {
    ElementPtr pipeline;
    ElementPtr volumeElement;  // playbin itself, or the chain's volume element
    bool isPlaybin = false;
};

// Builds and prerolls one file's pipeline on a thread of its own. Every state change that
// can block (opening a file on a stalled mount or a FIFO, prerolling a slow stream) happens
// there (on a PipelineWorkers thread), so the owner waits only as long as it chooses. The
// thread holds only this object: if it never returns (a FIFO nobody writes to), it holds
// up nothing, not even the end of the process.
class PipelineOpening : public std::enable_shared_from_this<PipelineOpening> {
public:
    enum class Outcome { Pending, Ready, Failed };

    // Starts the worker. onLateEnd runs on the worker when it finishes after the owner's
    // Wait gave up, and never after Cancel.
    static std::shared_ptr<PipelineOpening> Start(PipelineRequest request,
                                                  std::function<void()> onLateEnd);

    // Waits at most `wait` for the worker; Pending means onLateEnd will tell the end.
    Outcome Wait(std::chrono::milliseconds wait);
    Outcome Result() const;
    // After Ready: the pipeline, once.
    RenderedPipeline Take();
    PipelineError Error() const;
    // The owner no longer wants the pipeline; whatever is or will be built is released on
    // a worker.
    void Cancel();

    explicit PipelineOpening(PipelineRequest request, std::function<void()> onLateEnd);

private:
    void Run();
    bool RenderChain(RenderedPipeline* rendered, PipelineError* error);
    bool RenderPlaybin(RenderedPipeline* rendered, PipelineError* error);
    bool Preroll(GstElement* pipeline, PipelineError* error);
    bool IsCancelled() const;
    void Finish(bool ready, RenderedPipeline rendered, PipelineError error);

    PipelineRequest m_request;  // the worker's alone once started

    // The following fields are protected by m_mutex; the owner waits on m_finished.
    mutable std::mutex m_mutex;
    std::condition_variable m_finished;
    std::function<void()> m_onLateEnd;
    Outcome m_outcome = Outcome::Pending;
    RenderedPipeline m_rendered;
    PipelineError m_error;
    bool m_ownerGaveUp = false;
    bool m_cancelled = false;
};

// Takes the pipeline to NULL and releases it on a PipelineWorkers thread: a pipeline whose
// streaming thread is stuck in a read can block in that state change.
void ReleaseInBackground(ElementPtr pipeline);

}  // namespace tavi::gst
