#include "MediaPipeline.h"

#include <QCoreApplication>
#include <algorithm>
#include <utility>

namespace tavi::gst {

namespace {
// A local file prerolls after a seek in a few ms; a stalled one must not hold the window.
constexpr GstClockTime kSeekWait = 30 * GST_MSECOND;
}  // namespace

MediaPipeline::~MediaPipeline() {
    Release();
}

void MediaPipeline::Release() {
    if (m_opening) {
        m_opening->Cancel();
        m_opening.reset();
    }
    m_volumeElement.reset();
    m_volume.reset();
    m_seekTarget.reset();
    m_duration.reset();
    ReleaseInBackground(std::move(m_pipeline));
}

MediaPipeline::OpenResult MediaPipeline::Open(const QString& file, const QStringList& decoders,
                                              std::chrono::milliseconds wait,
                                              std::function<void()> onLateEnd,
                                              PipelineError* error) {
    Release();
    PipelineRequest request = std::move(m_request);
    m_request = {};
    request.file = file;
    request.decoders = decoders;
    return Start(std::move(request), wait, std::move(onLateEnd), error);
}

MediaPipeline::OpenResult MediaPipeline::OpenSource(ElementPtr source,
                                                    std::chrono::milliseconds wait,
                                                    std::function<void()> onLateEnd,
                                                    PipelineError* error) {
    Release();
    PipelineRequest request = std::move(m_request);
    m_request = {};
    request.source = std::move(source);
    return Start(std::move(request), wait, std::move(onLateEnd), error);
}

MediaPipeline::OpenResult MediaPipeline::Start(PipelineRequest request,
                                               std::chrono::milliseconds wait,
                                               std::function<void()> onLateEnd,
                                               PipelineError* error) {
    m_opening = PipelineOpening::Start(std::move(request), std::move(onLateEnd));
    if (m_opening->Wait(wait) == PipelineOpening::Outcome::Pending) {
        return OpenResult::Pending;
    }
    return FinishOpen(error) ? OpenResult::Ready : OpenResult::Failed;
}

bool MediaPipeline::WaitForOpen(std::chrono::milliseconds wait) {
    return m_opening && m_opening->Wait(wait) != PipelineOpening::Outcome::Pending;
}

bool MediaPipeline::FinishOpen(PipelineError* error) {
    if (!m_opening || m_opening->Result() == PipelineOpening::Outcome::Pending) {
        return false;
    }
    const bool ready = m_opening->Result() == PipelineOpening::Outcome::Ready;
    if (ready) {
        Adopt(m_opening->Take());
    } else if (error) {
        *error = m_opening->Error();
    }
    m_opening.reset();
    return ready;
}

void MediaPipeline::Adopt(RenderedPipeline rendered) {
    m_pipeline = std::move(rendered.pipeline);
    m_volumeElement = std::move(rendered.volumeElement);
    m_isPlaybin = rendered.isPlaybin;
    if (m_volume) {
        SetVolume(*std::exchange(m_volume, std::nullopt));
    }
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
                         : PipelineError{0x80004005, QCoreApplication::translate(
                                                         "MediaPipeline",
                                                         "The pipeline refused the state change.")};
    }
    return false;
}

std::optional<double> MediaPipeline::Position() const {
    if (m_seekTarget) {
        if (gst_element_get_state(m_pipeline.get(), nullptr, nullptr, 0) ==
            GST_STATE_CHANGE_ASYNC) {
            return m_seekTarget;
        }
        m_seekTarget.reset();
    }
    gint64 position = 0;
    if (!m_pipeline || !gst_element_query_position(m_pipeline.get(), GST_FORMAT_TIME, &position)) {
        return std::nullopt;
    }
    return double(position) / GST_SECOND;
}

std::optional<double> MediaPipeline::Duration() const {
    if (m_durationStale.exchange(false)) {
        m_duration.reset();
    }
    if (m_duration || !m_pipeline) {
        return m_duration;
    }
    gint64 duration = 0;
    if (gst_element_query_duration(m_pipeline.get(), GST_FORMAT_TIME, &duration) && duration >= 0) {
        m_duration = double(duration) / GST_SECOND;
    }
    return m_duration;
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
    // A flushing seek prerolls again; a short wait for it makes the new position readable.
    const GstStateChangeReturn preroll =
        gst_element_get_state(m_pipeline.get(), nullptr, nullptr, kSeekWait);
    if (preroll == GST_STATE_CHANGE_FAILURE) {
        return false;
    }
    m_seekTarget =
        preroll == GST_STATE_CHANGE_ASYNC ? std::optional(std::max(0.0, seconds)) : std::nullopt;
    return true;
}

double MediaPipeline::Volume() const {
    gdouble volume = m_volume.value_or(1.0);
    if (m_volumeElement) {
        g_object_get(m_volumeElement.get(), "volume", &volume, nullptr);
    }
    return volume;
}

void MediaPipeline::SetVolume(double linear) {
    if (m_volumeElement) {
        g_object_set(m_volumeElement.get(), "volume", linear, nullptr);
    } else if (m_opening) {
        m_volume = linear;
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
