#include "MediaPipeline.h"

#include <QUrl>

#include <gst/video/videooverlay.h>

#include <vector>

namespace tavi::gst {

namespace {

constexpr GstClockTime kPrerollTimeout = 20 * GST_SECOND;

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

}  // namespace

MediaPipeline::~MediaPipeline() {
    Release();
}

void MediaPipeline::Release() {
    if (m_pipeline) {
        gst_element_set_state(m_pipeline.get(), GST_STATE_NULL);
        m_pipeline.reset();
        m_volumeElement.reset();
    }
}

bool MediaPipeline::RenderWithPlaybin(const QString& file, PipelineError* error) {
    Release();
    QString missing;
    ElementPtr playbin = MakeElement("playbin", "tavi-playbin", &missing);
    if (!playbin) {
        *error = {0x80004005, missing};
        return false;
    }
    const QByteArray uri = QUrl::fromLocalFile(file).toEncoded();
    g_object_set(playbin.get(), "uri", uri.constData(), nullptr);
    if (m_audioSink) {
        g_object_set(playbin.get(), "audio-sink", m_audioSink.get(), nullptr);
    }
    if (m_audioFilter) {
        g_object_set(playbin.get(), "audio-filter", m_audioFilter.get(), nullptr);
    }
    if (ElementPtr video = m_videoSink ? std::move(m_videoSink) : DiscardingVideoSink()) {
        g_object_set(playbin.get(), "video-sink", video.get(), nullptr);
    }
    if (m_windowHandle != 0) {
        BusPtr bus(gst_element_get_bus(playbin.get()));
        gst_bus_set_sync_handler(bus.get(), GiveWindowHandle, gpointer(m_windowHandle), nullptr);
    }
    m_volumeElement.reset(GST_ELEMENT(gst_object_ref(playbin.get())));
    m_pipeline = std::move(playbin);
    m_isPlaybin = true;
    return Preroll(error);
}

bool MediaPipeline::RenderWithChain(const QString& file, const QStringList& decoders,
                                    PipelineError* error) {
    Release();
    ElementPtr pipeline(gst_pipeline_new("tavi-chain"));
    gst_object_ref_sink(pipeline.get());
    QString missing;
    std::vector<ElementPtr> chain;
    chain.push_back(MakeElement("filesrc", nullptr, &missing));
    for (const QString& decoder : decoders) {
        chain.push_back(MakeElement(decoder.toLatin1().constData(), nullptr, &missing));
    }
    chain.push_back(MakeElement("audioconvert", nullptr, &missing));
    if (m_audioFilter) {
        chain.push_back(ElementPtr(GST_ELEMENT(gst_object_ref(m_audioFilter.get()))));
    }
    chain.push_back(MakeElement("volume", "tavi-volume", &missing));
    chain.push_back(MakeElement("audioconvert", nullptr, &missing));
    chain.push_back(MakeElement("audioresample", nullptr, &missing));
    chain.push_back(m_audioSink ? ElementPtr(GST_ELEMENT(gst_object_ref(m_audioSink.get())))
                                : MakeElement("autoaudiosink", nullptr, &missing));
    for (const ElementPtr& element : chain) {
        if (!element) {
            *error = {0x80040265, missing};
            return false;
        }
        gst_bin_add(GST_BIN(pipeline.get()), element.get());
    }
    for (size_t i = 0; i + 1 < chain.size(); ++i) {
        if (!gst_element_link(chain[i].get(), chain[i + 1].get())) {
            *error = {0x80040265, QStringLiteral("The decoding chain could not be linked.")};
            gst_element_set_state(pipeline.get(), GST_STATE_NULL);
            return false;
        }
    }
    g_object_set(chain.front().get(), "location", file.toLocal8Bit().constData(), nullptr);
    m_volumeElement.reset(GST_ELEMENT(gst_object_ref(chain[chain.size() - 4].get())));
    m_pipeline = std::move(pipeline);
    m_isPlaybin = false;
    if (!Preroll(error)) {
        Release();
        return false;
    }
    return true;
}

// Brings the pipeline to PAUSED and reports the bus's first error if it does not get there.
bool MediaPipeline::Preroll(PipelineError* error) {
    gst_element_set_state(m_pipeline.get(), GST_STATE_PAUSED);
    GstState state = GST_STATE_NULL;
    const GstStateChangeReturn result =
        gst_element_get_state(m_pipeline.get(), &state, nullptr, kPrerollTimeout);
    if (result != GST_STATE_CHANGE_FAILURE && result != GST_STATE_CHANGE_ASYNC) {
        return true;
    }
    BusPtr bus(gst_element_get_bus(m_pipeline.get()));
    MessagePtr message(gst_bus_pop_filtered(bus.get(), GST_MESSAGE_ERROR));
    *error = message ? ErrorFromMessage(message.get())
                     : PipelineError{0x80004005,
                                     QStringLiteral("The file could not be prepared for playing.")};
    return false;
}

bool MediaPipeline::SetState(GstState target, PipelineError* error) {
    if (!m_pipeline) {
        return false;
    }
    if (gst_element_set_state(m_pipeline.get(), target) != GST_STATE_CHANGE_FAILURE) {
        return true;
    }
    BusPtr bus(gst_element_get_bus(m_pipeline.get()));
    MessagePtr message(gst_bus_pop_filtered(bus.get(), GST_MESSAGE_ERROR));
    if (error) {
        *error = message ? ErrorFromMessage(message.get())
                         : PipelineError{0x80004005,
                                         QStringLiteral("The pipeline refused the state change.")};
    }
    return false;
}

std::optional<double> MediaPipeline::Position() const {
    gint64 position = 0;
    if (!m_pipeline || !gst_element_query_position(m_pipeline.get(), GST_FORMAT_TIME, &position)) {
        return std::nullopt;
    }
    return double(position) / GST_SECOND;
}

std::optional<double> MediaPipeline::Duration() const {
    gint64 duration = 0;
    if (!m_pipeline || !gst_element_query_duration(m_pipeline.get(), GST_FORMAT_TIME, &duration) ||
        duration < 0) {
        return std::nullopt;
    }
    return double(duration) / GST_SECOND;
}

bool MediaPipeline::Seek(double seconds, std::optional<double> stop) {
    if (!m_pipeline) {
        return false;
    }
    const gint64 start = gint64(std::max(0.0, seconds) * GST_SECOND);
    const auto flags = GstSeekFlags(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE);
    if (!gst_element_seek(m_pipeline.get(), 1.0, GST_FORMAT_TIME, flags, GST_SEEK_TYPE_SET, start,
                          stop ? GST_SEEK_TYPE_SET : GST_SEEK_TYPE_NONE,
                          stop ? gint64(*stop * GST_SECOND) : GST_CLOCK_TIME_NONE)) {
        return false;
    }
    // A flushing seek prerolls again; waiting for it makes the new position readable at once.
    return gst_element_get_state(m_pipeline.get(), nullptr, nullptr, kPrerollTimeout) !=
           GST_STATE_CHANGE_FAILURE;
}

double MediaPipeline::Volume() const {
    gdouble volume = 1.0;
    if (m_volumeElement) {
        g_object_get(m_volumeElement.get(), "volume", &volume, nullptr);
    }
    return volume;
}

void MediaPipeline::SetVolume(double linear) {
    if (m_volumeElement) {
        g_object_set(m_volumeElement.get(), "volume", linear, nullptr);
    }
}

bool MediaPipeline::HasVideo() const {
    gint videoStreams = 0;
    if (m_pipeline && m_isPlaybin) {
        g_object_get(m_pipeline.get(), "n-video", &videoStreams, nullptr);
    }
    return videoStreams > 0;
}

GstBus* MediaPipeline::Bus() const {
    return m_pipeline ? gst_element_get_bus(m_pipeline.get()) : nullptr;
}

}  // namespace tavi::gst
