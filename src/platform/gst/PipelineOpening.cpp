#include "PipelineOpening.h"

#include "PipelineWorkers.h"
#include "platform/fs/MediaLocation.h"

#include <QCoreApplication>
#include <QFile>

#include <gst/video/videooverlay.h>

#include <vector>

namespace tavi::gst {

namespace {

constexpr GstClockTime kPrerollTimeout = 20 * GST_SECOND;
// How often a preroll in progress looks whether its owner has gone.
constexpr GstClockTime kCancelCheckInterval = 100 * GST_MSECOND;

// Playbin decodes video as well; until a window shows it, it is discarded in real time.
ElementPtr DiscardingVideoSink() {
    ElementPtr sink = MakeElement("fakesink", "tavi-video-discard", nullptr);
    if (sink) {
        g_object_set(sink.get(), "sync", TRUE, nullptr);
    }
    return sink;
}

// Runs on a streaming thread, which is where the overlay asks for its window: the handle
// must be set before the call returns, so this cannot wait for the UI thread.
GstBusSyncReply GiveWindowHandle(GstBus*, GstMessage* message, gpointer handle) {
    if (!gst_is_video_overlay_prepare_window_handle_message(message)) {
        return GST_BUS_PASS;
    }
    gst_video_overlay_set_window_handle(GST_VIDEO_OVERLAY(GST_MESSAGE_SRC(message)),
                                        guintptr(handle));
    gst_message_unref(message);
    return GST_BUS_DROP;
}

bool HasSometimesSource(GstElement* element) {
    for (const GList* item =
             gst_element_class_get_pad_template_list(GST_ELEMENT_GET_CLASS(element));
         item; item = item->next) {
        const auto* pad = static_cast<GstPadTemplate*>(item->data);
        if (GST_PAD_TEMPLATE_DIRECTION(pad) == GST_PAD_SRC &&
            GST_PAD_TEMPLATE_PRESENCE(pad) == GST_PAD_SOMETIMES) {
            return true;
        }
    }
    return false;
}

// On the streaming thread: a parser's output has appeared. A kind the next element does not
// take stays unlinked, the preroll fails, and the file goes to playbin.
void LinkAddedPad(GstElement*, GstPad* pad, gpointer next) {
    GstPad* sink = gst_element_get_static_pad(GST_ELEMENT(next), "sink");
    if (sink && !gst_pad_is_linked(sink)) {
        gst_pad_link(pad, sink);
    }
    if (sink) {
        gst_object_unref(sink);
    }
}

// Links now, or as soon as the element's output appears (a parser that reads a header
// first, like wavparse).
bool LinkNowOrLater(GstElement* element, GstElement* next) {
    if (gst_element_link(element, next)) {
        return true;
    }
    if (!HasSometimesSource(element)) {
        return false;
    }
    g_signal_connect_object(element, "pad-added", G_CALLBACK(LinkAddedPad), next, GConnectFlags(0));
    return true;
}

ElementPtr Ref(const ElementPtr& element) {
    return ElementPtr(GST_ELEMENT(gst_object_ref(element.get())));
}

void SetNullAndRelease(ElementPtr pipeline) {
    if (pipeline) {
        gst_element_set_state(pipeline.get(), GST_STATE_NULL);
    }
}

}  // namespace

void ReleaseInBackground(ElementPtr pipeline) {
    if (pipeline) {
        // A std::function must be copyable: the pipeline travels as a shared pointer.
        auto held = std::make_shared<ElementPtr>(std::move(pipeline));
        PipelineWorkers::Run([held] { SetNullAndRelease(std::move(*held)); });
    }
}

PipelineOpening::PipelineOpening(PipelineRequest request, std::function<void()> onLateEnd)
    : m_request(std::move(request)), m_onLateEnd(std::move(onLateEnd)) {}

std::shared_ptr<PipelineOpening> PipelineOpening::Start(PipelineRequest request,
                                                        std::function<void()> onLateEnd) {
    auto opening = std::make_shared<PipelineOpening>(std::move(request), std::move(onLateEnd));
    PipelineWorkers::Run([opening] { opening->Run(); });
    return opening;
}

PipelineOpening::Outcome PipelineOpening::Wait(std::chrono::milliseconds wait) {
    std::unique_lock lock(m_mutex);
    m_finished.wait_for(lock, wait, [this] { return m_outcome != Outcome::Pending; });
    if (m_outcome == Outcome::Pending) {
        m_ownerGaveUp = true;
    }
    return m_outcome;
}

PipelineOpening::Outcome PipelineOpening::Result() const {
    std::scoped_lock lock(m_mutex);
    return m_outcome;
}

RenderedPipeline PipelineOpening::Take() {
    std::scoped_lock lock(m_mutex);
    return std::move(m_rendered);
}

PipelineError PipelineOpening::Error() const {
    std::scoped_lock lock(m_mutex);
    return m_error;
}

void PipelineOpening::Cancel() {
    ElementPtr built;
    {
        std::scoped_lock lock(m_mutex);
        m_cancelled = true;
        m_onLateEnd = nullptr;
        built = std::move(m_rendered.pipeline);
        m_rendered = {};
    }
    ReleaseInBackground(std::move(built));
}

bool PipelineOpening::IsCancelled() const {
    std::scoped_lock lock(m_mutex);
    return m_cancelled;
}

// The explicit chain first when there is one, then playbin; the error is the last one's.
void PipelineOpening::Run() {
    RenderedPipeline rendered;
    PipelineError error;
    const bool live = m_request.source != nullptr;
    // A stream's data comes from the network: playbin picks its source and decoders.
    const bool chain = !m_request.decoders.isEmpty() && !fs::IsStreamUrl(m_request.file);
    bool ready = (live || chain) && RenderChain(&rendered, &error);
    if (!ready && !live && !IsCancelled()) {
        ready = RenderPlaybin(&rendered, &error);
    }
    Finish(ready, std::move(rendered), std::move(error));
}

void PipelineOpening::Finish(bool ready, RenderedPipeline rendered, PipelineError error) {
    std::function<void()> notify;
    {
        std::scoped_lock lock(m_mutex);
        if (!m_cancelled) {
            m_outcome = ready ? Outcome::Ready : Outcome::Failed;
            m_rendered = std::move(rendered);
            m_error = std::move(error);
            if (m_ownerGaveUp) {
                notify = std::move(m_onLateEnd);
            }
        }
    }
    m_finished.notify_all();
    SetNullAndRelease(std::move(rendered.pipeline));  // still here only when cancelled
    if (notify) {
        notify();
    }
}

bool PipelineOpening::RenderPlaybin(RenderedPipeline* rendered, PipelineError* error) {
    QString missing;
    ElementPtr playbin = MakeElement("playbin", "tavi-playbin", &missing);
    if (!playbin) {
        *error = {0x80004005, missing};
        return false;
    }
    const QByteArray uri = fs::MediaUri(m_request.file);
    g_object_set(playbin.get(), "uri", uri.constData(), nullptr);
    if (m_request.audioSink) {
        g_object_set(playbin.get(), "audio-sink", m_request.audioSink.get(), nullptr);
    }
    if (m_request.audioFilter) {
        g_object_set(playbin.get(), "audio-filter", m_request.audioFilter.get(), nullptr);
    }
    ElementPtr video = m_request.videoSink ? std::move(m_request.videoSink) : DiscardingVideoSink();
    if (video) {
        g_object_set(playbin.get(), "video-sink", video.get(), nullptr);
    }
    if (m_request.windowHandle != 0) {
        BusPtr bus(gst_element_get_bus(playbin.get()));
        gst_bus_set_sync_handler(bus.get(), GiveWindowHandle, gpointer(m_request.windowHandle),
                                 nullptr);
    }
    if (!Preroll(playbin.get(), error)) {
        SetNullAndRelease(std::move(playbin));
        return false;
    }
    rendered->volumeElement = Ref(playbin);
    rendered->pipeline = std::move(playbin);
    rendered->isPlaybin = true;
    return true;
}

bool PipelineOpening::RenderChain(RenderedPipeline* rendered, PipelineError* error) {
    ElementPtr pipeline(gst_pipeline_new("tavi-chain"));
    gst_object_ref_sink(pipeline.get());
    QString missing;
    std::vector<ElementPtr> chain;
    const bool live = m_request.source != nullptr;
    if (live) {
        chain.push_back(Ref(m_request.source));
    } else {
        chain.push_back(MakeElement("filesrc", nullptr, &missing));
        for (const QString& decoder : m_request.decoders) {
            chain.push_back(MakeElement(decoder.toLatin1().constData(), nullptr, &missing));
        }
    }
    chain.push_back(MakeElement("audioconvert", nullptr, &missing));
    if (m_request.audioFilter) {
        chain.push_back(Ref(m_request.audioFilter));
    }
    chain.push_back(MakeElement("volume", "tavi-volume", &missing));
    const size_t volume = chain.size() - 1;
    // Every element a buffer passes costs the streaming thread, passing through or not.
    if (m_request.audioSink) {
        chain.push_back(Ref(m_request.audioSink));
    } else {
        chain.push_back(MakeElement("audioconvert", nullptr, &missing));
        chain.push_back(MakeElement("audioresample", nullptr, &missing));
        chain.push_back(MakeElement("autoaudiosink", nullptr, &missing));
    }
    for (const ElementPtr& element : chain) {
        if (!element) {
            *error = {0x80040265, missing};
            return false;
        }
        gst_bin_add(GST_BIN(pipeline.get()), element.get());
    }
    for (size_t i = 0; i + 1 < chain.size(); ++i) {
        if (!LinkNowOrLater(chain[i].get(), chain[i + 1].get())) {
            *error = {0x80040265, QCoreApplication::translate(
                                      "MediaPipeline", "The decoding chain could not be linked.")};
            SetNullAndRelease(std::move(pipeline));
            return false;
        }
    }
    if (!live) {
        g_object_set(chain.front().get(), "location",
                     QFile::encodeName(fs::LocalFileOf(m_request.file)).constData(), nullptr);
    }
    if (!Preroll(pipeline.get(), error)) {
        SetNullAndRelease(std::move(pipeline));
        return false;
    }
    rendered->volumeElement = Ref(chain[volume]);
    rendered->pipeline = std::move(pipeline);
    rendered->isPlaybin = false;
    return true;
}

// Brings the pipeline to PAUSED and reports the bus's first error if it does not get there.
// The wait is cut into slices so that a pipeline nobody wants any more is let go early.
bool PipelineOpening::Preroll(GstElement* pipeline, PipelineError* error) {
    gst_element_set_state(pipeline, GST_STATE_PAUSED);
    GstStateChangeReturn result = GST_STATE_CHANGE_ASYNC;
    for (GstClockTime waited = 0; waited < kPrerollTimeout && !IsCancelled();
         waited += kCancelCheckInterval) {
        result = gst_element_get_state(pipeline, nullptr, nullptr, kCancelCheckInterval);
        if (result != GST_STATE_CHANGE_ASYNC) {
            break;
        }
    }
    if (result != GST_STATE_CHANGE_FAILURE && result != GST_STATE_CHANGE_ASYNC) {
        return true;
    }
    BusPtr bus(gst_element_get_bus(pipeline));
    MessagePtr message(gst_bus_pop_filtered(bus.get(), GST_MESSAGE_ERROR));
    *error = message
                 ? ErrorFromMessage(message.get())
                 : PipelineError{0x80004005, QCoreApplication::translate(
                                                 "MediaPipeline",
                                                 "The file could not be prepared for playing.")};
    return false;
}

}  // namespace tavi::gst
