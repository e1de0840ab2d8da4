#include "SharedAudioOutput.h"

#include "SharedAudioOutputTimings.h"

#include <gst/audio/audio.h>
#include <QCoreApplication>

#include <algorithm>
#include <utility>

namespace tavi::gst {

using namespace output;

namespace {

constexpr GstClockTime kStartTimeout = 5 * GST_SECOND;
constexpr GstClockTime kFinishTimeout = 5 * GST_SECOND;

// Nobody reads the output's bus but Acquire (errors) and Finish (the end): everything else
// is dropped at once, or it would pile up for as long as the output runs.
GstBusSyncReply KeepErrorsAndEnd(GstBus*, GstMessage* message, gpointer) {
    const GstMessageType type = GST_MESSAGE_TYPE(message);
    if (type == GST_MESSAGE_ERROR || type == GST_MESSAGE_EOS) {
        return GST_BUS_PASS;
    }
    gst_message_unref(message);
    return GST_BUS_DROP;
}

GstClockTime TimeOfFrame(guint64 frame) {
    return gst_util_uint64_scale(frame, GST_SECOND, SharedAudioOutput::kRate);
}

// The sink's own period (what a sound server asks for at a time) and buffer, where the
// sink has them.
void SetDevicePeriod(GstElement* element, const SharedAudioOutput::DeviceProfile& profile) {
    if (g_object_class_find_property(G_OBJECT_GET_CLASS(element), "latency-time")) {
        g_object_set(element, "latency-time", profile.sinkPeriodUs, nullptr);
    }
    if (g_object_class_find_property(G_OBJECT_GET_CLASS(element), "buffer-time")) {
        g_object_set(element, "buffer-time", profile.sinkBufferUs, nullptr);
    }
}

void SetCheapDevicePeriod(GstBin*, GstBin*, GstElement* element, gpointer) {
    SetDevicePeriod(element, kCheapProfile);
}

void SetDevicePeriodsIn(GstElement* pipeline, const SharedAudioOutput::DeviceProfile& profile) {
    GstIterator* elements = gst_bin_iterate_recurse(GST_BIN(pipeline));
    GValue item = G_VALUE_INIT;
    while (gst_iterator_next(elements, &item) == GST_ITERATOR_OK) {
        SetDevicePeriod(GST_ELEMENT(g_value_get_object(&item)), profile);
        g_value_reset(&item);
    }
    g_value_unset(&item);
    gst_iterator_free(elements);
}

}  // namespace

// appsrc ! audioconvert ! audioresample ! sink. The device and null outputs pull a period
// whenever the sink wants one; the file output is pushed what the tracks render.
bool SharedAudioOutput::StartPipeline(const AudioOutputSpec& spec, ElementPtr device,
                                      QString* error) {
    m_paced = spec.kind != AudioOutputSpec::Kind::File;
    m_mix = MixQueue(m_paced ? MixQueue::MixStart::Front : MixQueue::MixStart::Reached);
    QString missing;
    ElementPtr source = MakeElement("appsrc", "tavi-output-source", &missing);
    ElementPtr convert = MakeElement("audioconvert", nullptr, &missing);
    ElementPtr resample = MakeElement("audioresample", nullptr, &missing);
    ElementPtr sink = CreateAudioSink(spec, std::move(device), error);
    if (!source || !convert || !resample) {
        *error = missing;
        return false;
    }
    if (!sink) {
        return false;
    }
    GstCaps* caps = gst_caps_from_string(S16Caps());
    const guint64 queueBytes =
        m_paced ? kCheapProfile.periodFrames * kChannels * sizeof(int16_t) : 1u << 20;
    g_object_set(source.get(), "caps", caps, "format", GST_FORMAT_TIME, "is-live", FALSE,
                 "max-bytes", queueBytes, "block", gboolean(!m_paced), nullptr);
    gst_caps_unref(caps);
    if (m_paced) {
        g_signal_connect(source.get(), "need-data", G_CALLBACK(OnNeedData), this);
    }
    m_pipeline.reset(gst_pipeline_new("tavi-output"));
    gst_object_ref_sink(m_pipeline.get());
    // The default sink picks its device element only when it starts.
    g_signal_connect(m_pipeline.get(), "deep-element-added", G_CALLBACK(SetCheapDevicePeriod),
                     nullptr);
    SetDevicePeriod(sink.get(), kCheapProfile);
    gst_bin_add_many(GST_BIN(m_pipeline.get()), source.get(), convert.get(), resample.get(),
                     sink.get(), nullptr);
    if (!gst_element_link_many(source.get(), convert.get(), resample.get(), sink.get(), nullptr)) {
        *error =
            QCoreApplication::translate("AudioOutput", "The audio output could not be linked.");
        m_pipeline.reset();
        return false;
    }
    m_source = std::move(source);
    BusPtr outputBus(gst_element_get_bus(m_pipeline.get()));
    gst_bus_set_sync_handler(outputBus.get(), KeepErrorsAndEnd, nullptr, nullptr);
    if (gst_element_set_state(m_pipeline.get(), GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE ||
        (m_paced && gst_element_get_state(m_pipeline.get(), nullptr, nullptr, kStartTimeout) ==
                        GST_STATE_CHANGE_FAILURE)) {
        BusPtr bus(gst_element_get_bus(m_pipeline.get()));
        MessagePtr message(gst_bus_pop_filtered(bus.get(), GST_MESSAGE_ERROR));
        *error = message ? ErrorFromMessage(message.get()).text
                         : QCoreApplication::translate("AudioOutput",
                                                       "The audio output could not be started.");
        gst_element_set_state(m_pipeline.get(), GST_STATE_NULL);
        m_pipeline.reset();
        return false;
    }
    return true;
}

// An output whose device failed (a sound server that went away) is replaced.
bool SharedAudioOutput::IsHealthy() const {
    if (m_stream) {
        return m_stream->IsHealthy();
    }
    BusPtr bus(gst_element_get_bus(m_pipeline.get()));
    MessagePtr message(gst_bus_pop_filtered(bus.get(), GST_MESSAGE_ERROR));
    return message == nullptr;
}

// Runs under m_mutex, which keeps the timestamps in order.
void SharedAudioOutput::PushToFile(const int16_t* samples, size_t count) {
    if (count == 0) {
        return;
    }
    const guint64 frames = count / kChannels;
    GstBuffer* buffer = gst_buffer_new_memdup(samples, count * sizeof(int16_t));
    GST_BUFFER_PTS(buffer) = TimeOfFrame(m_frames);
    GST_BUFFER_DURATION(buffer) = TimeOfFrame(m_frames + frames) - TimeOfFrame(m_frames);
    m_frames += frames;
    GstFlowReturn result = GST_FLOW_OK;
    g_signal_emit_by_name(m_source.get(), "push-buffer", buffer, &result);
    gst_buffer_unref(buffer);
}

// What the sink has handed to the device goes too (a sound server's stream is flushed), so a
// stop or seek is heard at once. The sink's clock runs on: later sound keeps its timestamps
// and the device plays silence where the dropped part was.
void SharedAudioOutput::DropHeard() {
    if (m_stream) {
        m_stream->Flush();
        ForgetStreamWrites();
        m_stream->FillSoon();
        return;
    }
    GstIterator* elements = gst_bin_iterate_recurse(GST_BIN(m_pipeline.get()));
    GValue item = G_VALUE_INIT;
    while (gst_iterator_next(elements, &item) == GST_ITERATOR_OK) {
        auto* element = GST_ELEMENT(g_value_get_object(&item));
        if (GST_IS_AUDIO_BASE_SINK(element)) {
            GST_OBJECT_LOCK(element);
            GstAudioRingBuffer* ring = GST_AUDIO_BASE_SINK(element)->ringbuffer;
            if (ring) {
                gst_object_ref(ring);
            }
            GST_OBJECT_UNLOCK(element);
            if (ring) {
                gst_audio_ring_buffer_clear_all(ring);
                gst_object_unref(ring);
            }
        }
        g_value_reset(&item);
    }
    g_value_unset(&item);
    gst_iterator_free(elements);
}

void SharedAudioOutput::OnNeedData(GstElement* source, guint, gpointer self) {
    static_cast<SharedAudioOutput*>(self)->FeedDevice(source);
}

// Runs on the output's streaming thread: one period, silence where no sound is queued.
void SharedAudioOutput::FeedDevice(GstElement* source) {
    size_t period = 0;
    {
        std::lock_guard lock(m_mutex);
        period = m_periodFrames;
    }
    const size_t samples = period * kChannels;
    GstBuffer* buffer = gst_buffer_new_allocate(nullptr, samples * sizeof(int16_t), nullptr);
    GstMapInfo map;
    gst_buffer_map(buffer, &map, GST_MAP_WRITE);
    auto* out = reinterpret_cast<int16_t*>(map.data);
    const size_t taken = Take(out, period);
    std::fill(out + taken * kChannels, out + samples, int16_t(0));
    NoteLiveOnlyPeriod(period);
    TapPeriod(out, period);
    gst_buffer_unmap(buffer, &map);
    GST_BUFFER_PTS(buffer) = TimeOfFrame(m_frames);
    GST_BUFFER_DURATION(buffer) = TimeOfFrame(m_frames + period) - TimeOfFrame(m_frames);
    m_frames += period;
    GstFlowReturn result = GST_FLOW_OK;
    g_signal_emit_by_name(source, "push-buffer", buffer, &result);
    gst_buffer_unref(buffer);
    NoteSilence(taken == period ? 0 : period - taken, period);
}

// The device's buffer is fixed when it starts, so a wanted profile (WantedProfile) means a
// restart.
void SharedAudioOutput::ApplyWantedState(GstElement* pipeline) {
    std::lock_guard stateLock(m_stateMutex);
    bool idle = false;
    if (const DeviceProfile* wanted = WantedProfile(&idle); wanted != m_profile) {
        RestartDevice(pipeline, *wanted);
    }
    gst_element_set_state(pipeline, idle ? GST_STATE_PAUSED : GST_STATE_PLAYING);
}

// The device's buffer is fixed when it starts, so a new one means a new start. Only live
// sound (or silence) is dropped with it: live sound has to skip ahead to be heard sooner.
void SharedAudioOutput::RestartDevice(GstElement* pipeline, const DeviceProfile& profile) {
    gst_element_set_state(pipeline, GST_STATE_READY);
    SetDevicePeriodsIn(pipeline, profile);
    g_object_set(m_source.get(), "max-bytes",
                 guint64(profile.periodFrames * kChannels * sizeof(int16_t)), nullptr);
    m_frames = 0;  // the restarted device counts anew
    std::lock_guard lock(m_mutex);
    m_periodFrames = profile.periodFrames;
    m_profile = &profile;
}

// A file output writes its end (the WAV header's sizes) before it is released.
void SharedAudioOutput::Finish() {
    m_stream.reset();
    if (!m_pipeline) {
        return;
    }
    if (!m_paced) {
        {
            std::lock_guard lock(m_mutex);
            std::vector<int16_t> rest(m_mix.Queued() * kChannels);
            m_mix.Take(rest.data(), m_mix.Queued());
            PushToFile(rest.data(), rest.size());
        }
        GstFlowReturn result = GST_FLOW_OK;
        g_signal_emit_by_name(m_source.get(), "end-of-stream", &result);
        BusPtr bus(gst_element_get_bus(m_pipeline.get()));
        MessagePtr done(gst_bus_timed_pop_filtered(
            bus.get(), kFinishTimeout, GstMessageType(GST_MESSAGE_EOS | GST_MESSAGE_ERROR)));
    }
    gst_element_set_state(m_pipeline.get(), GST_STATE_NULL);
    m_source.reset();
    m_pipeline.reset();
}

// The buffer-time the pipeline's sink was asked for.
gint64 SharedAudioOutput::PipelineBufferUs() {
    gint64 buffer = 0;
    GstIterator* elements = gst_bin_iterate_recurse(GST_BIN(m_pipeline.get()));
    GValue item = G_VALUE_INIT;
    while (gst_iterator_next(elements, &item) == GST_ITERATOR_OK) {
        GObject* element = G_OBJECT(g_value_get_object(&item));
        if (g_object_class_find_property(G_OBJECT_GET_CLASS(element), "buffer-time")) {
            g_object_get(element, "buffer-time", &buffer, nullptr);
        }
        g_value_reset(&item);
    }
    g_value_unset(&item);
    gst_iterator_free(elements);
    return buffer;
}

}  // namespace tavi::gst
