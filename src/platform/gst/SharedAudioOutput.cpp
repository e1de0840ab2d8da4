#include "SharedAudioOutput.h"

#include <algorithm>
#include <cstring>

namespace tavi::gst {

namespace {

// The device is fed in periods of 20 ms. Sound is held back until 60 ms of it are queued,
// so that the moment between one track's end and the next one's start, and the scheduling
// jitter of the tracks' threads, never leave the device without sound mid-stream.
constexpr size_t kPeriodFrames = SharedAudioOutput::kRate / 50;
constexpr size_t kPrimeFrames = SharedAudioOutput::kRate * 60 / 1000;
// A track that runs ahead of the device (clock drift) loses its oldest sound past 2 s.
constexpr size_t kMaxQueuedFrames = SharedAudioOutput::kRate * 2;
constexpr GstClockTime kStartTimeout = 5 * GST_SECOND;
constexpr GstClockTime kFinishTimeout = 5 * GST_SECOND;

struct Registry {
    QString key;
    std::weak_ptr<SharedAudioOutput> current;
    std::shared_ptr<SharedAudioOutput> kept;  // device and null outputs stay when idle
};

std::mutex& tapMutex() {
    static std::mutex mutex;
    return mutex;
}

SharedAudioOutput::Tap& tap() {
    static SharedAudioOutput::Tap instance;
    return instance;
}

Registry& registry() {
    // The tap outlives the outputs kept here, whose streaming threads call it until they end.
    tapMutex();
    tap();
    static Registry instance;
    return instance;
}

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

QString KeyFor(const AudioOutputSpec& spec, const QString& deviceKey) {
    return QString::number(int(spec.kind)) + QLatin1Char('\n') + spec.path + QLatin1Char('\n') +
           deviceKey;
}

GstClockTime TimeOfFrame(guint64 frame) {
    return gst_util_uint64_scale(frame, GST_SECOND, SharedAudioOutput::kRate);
}

}  // namespace

const char* SharedAudioOutput::FeedCaps() {
    return "audio/x-raw,format=F32LE,layout=interleaved,rate=44100,channels=2";
}

void SharedAudioOutput::SetTap(Tap newTap) {
    std::lock_guard lock(tapMutex());
    tap() = std::move(newTap);
}

std::shared_ptr<SharedAudioOutput> SharedAudioOutput::Acquire(
    const AudioOutputSpec& spec, const QString& deviceKey,
    const std::function<ElementPtr()>& makeDevice, QString* error) {
    if (!EnsureInitialized()) {
        *error = QStringLiteral("GStreamer could not be initialised.");
        return nullptr;
    }
    Registry& outputs = registry();
    const QString key = KeyFor(spec, deviceKey);
    if (auto current = outputs.current.lock(); current && outputs.key == key) {
        if (current->IsHealthy()) {
            return current;
        }
    }
    std::shared_ptr<SharedAudioOutput> output(new SharedAudioOutput);
    ElementPtr device = spec.kind == AudioOutputSpec::Kind::Auto ? makeDevice() : nullptr;
    if (!output->Start(spec, std::move(device), error)) {
        return nullptr;
    }
    outputs.key = key;
    outputs.current = output;
    outputs.kept = spec.kind == AudioOutputSpec::Kind::File ? nullptr : output;
    return output;
}

SharedAudioOutput::~SharedAudioOutput() {
    Finish();
}

// appsrc ! audioconvert ! audioresample ! sink. The device and null outputs pull a period
// whenever the sink wants one; the file output is pushed what the tracks render.
bool SharedAudioOutput::Start(const AudioOutputSpec& spec, ElementPtr device, QString* error) {
    m_paced = spec.kind != AudioOutputSpec::Kind::File;
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
    GstCaps* caps = gst_caps_from_string(FeedCaps());
    const guint64 queueBytes = m_paced ? kPeriodFrames * kChannels * sizeof(float) : 1u << 20;
    g_object_set(source.get(), "caps", caps, "format", GST_FORMAT_TIME, "is-live", FALSE,
                 "max-bytes", queueBytes, "block", gboolean(!m_paced), nullptr);
    gst_caps_unref(caps);
    if (m_paced) {
        g_signal_connect(source.get(), "need-data", G_CALLBACK(OnNeedData), this);
    }
    m_pipeline.reset(gst_pipeline_new("tavi-output"));
    gst_object_ref_sink(m_pipeline.get());
    gst_bin_add_many(GST_BIN(m_pipeline.get()), source.get(), convert.get(), resample.get(),
                     sink.get(), nullptr);
    if (!gst_element_link_many(source.get(), convert.get(), resample.get(), sink.get(), nullptr)) {
        *error = QStringLiteral("The audio output could not be linked.");
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
                         : QStringLiteral("The audio output could not be started.");
        gst_element_set_state(m_pipeline.get(), GST_STATE_NULL);
        m_pipeline.reset();
        return false;
    }
    return true;
}

// An output whose device failed (a sound server that went away) is replaced.
bool SharedAudioOutput::IsHealthy() const {
    BusPtr bus(gst_element_get_bus(m_pipeline.get()));
    MessagePtr message(gst_bus_pop_filtered(bus.get(), GST_MESSAGE_ERROR));
    return message == nullptr;
}

void SharedAudioOutput::Push(GstBuffer* buffer) {
    if (!m_paced) {
        std::lock_guard lock(m_mutex);
        GstBuffer* copy = gst_buffer_copy(buffer);
        const guint64 frames = gst_buffer_get_size(copy) / (kChannels * sizeof(float));
        GST_BUFFER_PTS(copy) = TimeOfFrame(m_frames);
        GST_BUFFER_DURATION(copy) = TimeOfFrame(m_frames + frames) - TimeOfFrame(m_frames);
        m_frames += frames;
        GstFlowReturn result = GST_FLOW_OK;
        g_signal_emit_by_name(m_source.get(), "push-buffer", copy, &result);
        gst_buffer_unref(copy);
        return;
    }
    GstMapInfo map;
    if (!gst_buffer_map(buffer, &map, GST_MAP_READ)) {
        return;
    }
    const auto* samples = reinterpret_cast<const float*>(map.data);
    const size_t count = map.size / sizeof(float);
    std::lock_guard lock(m_mutex);
    if (m_read > 0 && m_read * 2 >= m_queue.size()) {
        m_queue.erase(m_queue.begin(), m_queue.begin() + ptrdiff_t(m_read));
        m_read = 0;
    }
    m_queue.insert(m_queue.end(), samples, samples + count);
    const size_t queued = (m_queue.size() - m_read) / kChannels;
    if (queued > kMaxQueuedFrames) {
        m_read += (queued - kMaxQueuedFrames) * kChannels;
    }
    gst_buffer_unmap(buffer, &map);
}

void SharedAudioOutput::Flush() {
    std::lock_guard lock(m_mutex);
    m_queue.clear();
    m_read = 0;
    m_priming = true;
}

// Copies up to `frames` queued frames to out; after running dry it waits for a new cushion.
size_t SharedAudioOutput::Take(float* out, size_t frames) {
    std::lock_guard lock(m_mutex);
    const size_t queued = (m_queue.size() - m_read) / kChannels;
    if (m_priming && queued >= kPrimeFrames) {
        m_priming = false;
    }
    if (m_priming) {
        return 0;
    }
    const size_t taken = std::min(queued, frames);
    std::memcpy(out, m_queue.data() + m_read, taken * kChannels * sizeof(float));
    m_read += taken * kChannels;
    if (taken < frames) {
        m_priming = true;
    }
    return taken;
}

void SharedAudioOutput::OnNeedData(GstElement* source, guint, gpointer self) {
    static_cast<SharedAudioOutput*>(self)->FeedDevice(source);
}

// Runs on the output's streaming thread: one period, silence where no sound is queued.
void SharedAudioOutput::FeedDevice(GstElement* source) {
    GstBuffer* buffer =
        gst_buffer_new_allocate(nullptr, kPeriodFrames * kChannels * sizeof(float), nullptr);
    GstMapInfo map;
    gst_buffer_map(buffer, &map, GST_MAP_WRITE);
    auto* out = reinterpret_cast<float*>(map.data);
    const size_t taken = Take(out, kPeriodFrames);
    std::fill(out + taken * kChannels, out + kPeriodFrames * kChannels, 0.0f);
    {
        std::lock_guard lock(tapMutex());
        if (tap()) {
            tap()(out, kPeriodFrames);
        }
    }
    gst_buffer_unmap(buffer, &map);
    GST_BUFFER_PTS(buffer) = TimeOfFrame(m_frames);
    GST_BUFFER_DURATION(buffer) = TimeOfFrame(m_frames + kPeriodFrames) - TimeOfFrame(m_frames);
    m_frames += kPeriodFrames;
    GstFlowReturn result = GST_FLOW_OK;
    g_signal_emit_by_name(source, "push-buffer", buffer, &result);
    gst_buffer_unref(buffer);
}

// A file output writes its end (the WAV header's sizes) before it is released.
void SharedAudioOutput::Finish() {
    if (!m_pipeline) {
        return;
    }
    if (!m_paced) {
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

}  // namespace tavi::gst
