#include "SharedAudioOutput.h"

#include <gst/audio/audio.h>
#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <utility>

namespace tavi::gst {

namespace {

// The device is fed in periods of 200 ms: every period wakes us, the sound server's client
// thread and the server, and at 50 ms those wake-ups were most of what playing cost. Sound is
// held back until a period and 10 ms are queued, so the device never gets part of a period;
// a feed queues up to 300 ms ahead of the device, which leaves 100 ms beyond a period to
// cover the moment between one track's end and the next one's start.
// The sound server's buffer for the stream (the sink's buffer-time) is 600 ms asked, 500 ms
// granted: the server keeps its sink's latency at the buffer less two periods, and less than
// that keeps the server busy (at 400 ms it spent ten times the CPU we did). A flush drops
// the buffer at once (DropHeard); a paused track is still heard for as long.
constexpr SharedAudioOutput::DeviceProfile kCheapProfile{SharedAudioOutput::kRate / 5, 200'000,
                                                         600'000};
// Live input: 10-ms periods and a 40-ms buffer at the server, so captured sound is heard
// within a few periods.
constexpr SharedAudioOutput::DeviceProfile kLiveProfile{SharedAudioOutput::kRate / 100, 10'000,
                                                        40'000};
// A restart drops what the device holds: it waits until the device has been given this
// much since the last sound of a recorded track, more than the cheap buffer holds.
constexpr size_t kDeviceHoldsFrames = SharedAudioOutput::kRate * 650 / 1000;
constexpr size_t kPrimeFrames = SharedAudioOutput::kRate * 210 / 1000;
constexpr size_t kQueueAheadFrames = SharedAudioOutput::kRate * 300 / 1000;
// Live sound waits at most this long in the queue; more means it came while the device
// could not take it, and the newest is dropped so that what follows is not late.
constexpr size_t kLiveBacklogFrames = SharedAudioOutput::kRate * 30 / 1000;
// A feed that runs ahead anyway (a stalled device) loses its oldest sound past 2 s.
constexpr size_t kMaxQueuedFrames = SharedAudioOutput::kRate * 2;
constexpr auto kStallTimeout = std::chrono::seconds(1);
constexpr double kLateTakeRetrySeconds = 0.005;
constexpr auto kPrimeWait = std::chrono::milliseconds(100);
// After this much silence the output pauses until sound comes again.
constexpr size_t kIdleFrames = SharedAudioOutput::kRate;
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

int16_t ToS16(float sample) {
    const float scaled = std::clamp(sample, -1.0f, 1.0f) * 32767.0f;
    return int16_t(scaled + (scaled >= 0 ? 0.5f : -0.5f));
}

// Appends a buffer's samples to `to` as 16-bit.
void AppendSamples(const GstMapInfo& map, SharedAudioOutput::SampleFormat format,
                   std::vector<int16_t>& to) {
    if (format == SharedAudioOutput::SampleFormat::S16) {
        const auto* samples = reinterpret_cast<const int16_t*>(map.data);
        to.insert(to.end(), samples, samples + map.size / sizeof(int16_t));
        return;
    }
    const auto* samples = reinterpret_cast<const float*>(map.data);
    const size_t count = map.size / sizeof(float);
    const size_t first = to.size();
    to.resize(first + count);
    for (size_t i = 0; i < count; ++i) {
        to[first + i] = ToS16(samples[i]);
    }
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

const char* SharedAudioOutput::FeedCaps() {
    return "audio/x-raw,format=F32LE,layout=interleaved,rate=44100,channels=2";
}

const char* SharedAudioOutput::S16Caps() {
    return "audio/x-raw,format=S16LE,layout=interleaved,rate=44100,channels=2";
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

SharedAudioOutput::SharedAudioOutput()
    : m_profile(&kCheapProfile), m_periodFrames(kCheapProfile.periodFrames) {}

SharedAudioOutput::~SharedAudioOutput() {
    Finish();
}

// appsrc ! audioconvert ! audioresample ! sink. The device and null outputs pull a period
// whenever the sink wants one; the file output is pushed what the tracks render.
bool SharedAudioOutput::Start(const AudioOutputSpec& spec, ElementPtr device, QString* error) {
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
    BusPtr bus(gst_element_get_bus(m_pipeline.get()));
    MessagePtr message(gst_bus_pop_filtered(bus.get(), GST_MESSAGE_ERROR));
    return message == nullptr;
}

namespace {
std::atomic<float> sequentialGain{1.0f};
}  // namespace

void SharedAudioOutput::SetSequentialGain(float gain) {
    sequentialGain = gain;
}

float SharedAudioOutput::SequentialGain() {
    return sequentialGain;
}

void SharedAudioOutput::StartLaneAt(Lane lane, guint64 frame) {
    std::lock_guard lock(m_mutex);
    m_mix.StartLaneAt(lane, frame);
}

guint64 SharedAudioOutput::Push(GstBuffer* buffer, SampleFormat format, Lane lane, GainRamp gain) {
    return Place(buffer, format, lane, gain, false);
}

guint64 SharedAudioOutput::PushLive(GstBuffer* buffer, SampleFormat format, Lane lane,
                                    GainRamp gain) {
    if (m_paced) {
        std::lock_guard lock(m_mutex);
        if (m_mix.Queued() > kLiveBacklogFrames) {
            return m_mix.End();
        }
    }
    return Place(buffer, format, lane, gain, true);
}

// Mixes the buffer into the lane's place on the time line. The file output then writes what
// every running lane has passed (at once when one plays).
guint64 SharedAudioOutput::Place(GstBuffer* buffer, SampleFormat format, Lane lane, GainRamp gain,
                                 bool live) {
    GstMapInfo map;
    if (!gst_buffer_map(buffer, &map, GST_MAP_READ)) {
        return 0;
    }
    thread_local std::vector<int16_t> samples;
    samples.clear();
    AppendSamples(map, format, samples);
    gst_buffer_unmap(buffer, &map);
    if (lane == kSequential) {
        gain = GainRamp::Flat(SequentialGain());
    }
    ApplyGain(samples.data(), samples.size() / kChannels, gain);
    std::unique_lock lock(m_mutex);
    const guint64 cursor = m_mix.Place(lane, samples.data(), samples.size() / kChannels);
    m_lastPush = std::chrono::steady_clock::now();
    if (!m_paced) {
        WriteReachedToFile();
        return cursor;
    }
    if (!live) {
        m_recordedUpTo = m_mix.End();
    }
    if (m_mix.Queued() > kMaxQueuedFrames) {
        m_mix.Skip(m_mix.Queued() - kMaxQueuedFrames);
    }
    WakeFromIdle(lock);
    return cursor;
}

// Runs under m_mutex.
void SharedAudioOutput::WriteReachedToFile() {
    const size_t complete = size_t(m_mix.Reached() - m_mix.Front());
    if (complete == 0) {
        return;
    }
    thread_local std::vector<int16_t> out;
    out.resize(complete * kChannels);
    m_mix.Take(out.data(), complete);
    PushToFile(out.data(), out.size());
}

void SharedAudioOutput::EndLane(Lane lane) {
    std::lock_guard lock(m_mutex);
    m_mix.EndLane(lane);
    if (!m_paced) {
        WriteReachedToFile();
    }
}

void SharedAudioOutput::ForgetLane(Lane lane) {
    std::lock_guard lock(m_mutex);
    m_mix.ForgetLane(lane);
    if (!m_paced) {
        WriteReachedToFile();
    }
}

// Sound to play: an idle output starts again. Releases the lock.
void SharedAudioOutput::WakeFromIdle(std::unique_lock<std::mutex>& lock) {
    m_silentFrames = 0;
    const bool wasIdle = std::exchange(m_idle, false);
    lock.unlock();
    if (wasIdle) {
        ApplyIdleState();
    }
}

guint64 SharedAudioOutput::FramesTaken() {
    std::lock_guard lock(m_mutex);
    return m_mix.Front();
}

void SharedAudioOutput::Hold(bool held) {
    std::unique_lock lock(m_mutex);
    m_holds = std::max(0, m_holds + (held ? 1 : -1));
    if (m_holds == 0) {
        WakeFromIdle(lock);
    }
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

void SharedAudioOutput::Flush() {
    {
        std::lock_guard lock(m_mutex);
        m_mix.Clear();
        m_priming = true;
    }
    m_room.notify_all();
    if (m_paced) {
        DropHeard();
    }
}

// What the sink has handed to the device goes too (a sound server's stream is flushed), so a
// stop or seek is heard at once. The sink's clock runs on: later sound keeps its timestamps
// and the device plays silence where the dropped part was.
void SharedAudioOutput::DropHeard() {
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

const std::atomic<bool> SharedAudioOutput::kNeverHeld = false;

bool SharedAudioOutput::WaitForRoom(const std::atomic<bool>& cancelled, Lane lane,
                                    const std::atomic<bool>& held) {
    if (!m_paced) {
        return !cancelled;
    }
    std::unique_lock lock(m_mutex);
    m_room.wait_for(lock, kStallTimeout,
                    [&] { return cancelled || held || m_mix.AheadOf(lane) < kQueueAheadFrames; });
    return !cancelled;
}

// The device takes a period at a time, one period after the other: room comes with the take
// that brings the queue under the mark. A take that is late is looked for again shortly.
double SharedAudioOutput::SecondsUntilRoom(Lane lane) {
    if (!m_paced) {
        return 0.0;
    }
    std::lock_guard lock(m_mutex);
    const size_t ahead = m_mix.AheadOf(lane);
    if (ahead < kQueueAheadFrames) {
        return 0.0;
    }
    const size_t periods = (ahead - kQueueAheadFrames) / m_periodFrames + 1;
    const auto due =
        m_lastTake + std::chrono::duration<double>(double(periods * m_periodFrames) / kRate);
    const double wait =
        std::chrono::duration<double>(due - std::chrono::steady_clock::now()).count();
    return std::max(wait, kLateTakeRetrySeconds);
}

void SharedAudioOutput::WakeWaiters() {
    // Taking the lock orders this after a waiter's check of its predicate.
    { std::lock_guard lock(m_mutex); }
    m_room.notify_all();
}

// Copies up to `frames` queued frames to out; after running dry it waits for a new cushion.
size_t SharedAudioOutput::Take(int16_t* out, size_t frames) {
    size_t taken = 0;
    {
        std::lock_guard lock(m_mutex);
        const size_t queued = m_mix.Queued();
        // Sound short of the cushion with nothing pushed after it for a while is all there
        // is (a short piece, the end of a track after a seek): it is played as it is.
        const bool complete =
            queued > 0 && std::chrono::steady_clock::now() - m_lastPush > kPrimeWait;
        if (m_priming && (queued >= kPrimeFrames || m_liveFeeds > 0 || complete)) {
            m_priming = false;
        }
        if (m_priming || m_holds > 0) {
            return 0;
        }
        taken = m_mix.Take(out, frames);
        m_lastTake = std::chrono::steady_clock::now();
        if (taken < frames && m_liveFeeds == 0) {
            m_priming = true;
        }
    }
    m_room.notify_all();
    return taken;
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
    {
        std::lock_guard lock(tapMutex());
        if (tap()) {
            m_tapSamples.resize(samples);
            for (size_t i = 0; i < samples; ++i) {
                m_tapSamples[i] = float(out[i]) / 32768.0f;
            }
            tap()(m_tapSamples.data(), period);
        }
    }
    gst_buffer_unmap(buffer, &map);
    GST_BUFFER_PTS(buffer) = TimeOfFrame(m_frames);
    GST_BUFFER_DURATION(buffer) = TimeOfFrame(m_frames + period) - TimeOfFrame(m_frames);
    m_frames += period;
    GstFlowReturn result = GST_FLOW_OK;
    g_signal_emit_by_name(source, "push-buffer", buffer, &result);
    gst_buffer_unref(buffer);
    NoteSilence(taken == period ? 0 : period - taken, period);
}

// A second of silence in a row pauses the output (a sound server's stream is corked).
void SharedAudioOutput::NoteSilence(size_t frames, size_t period) {
    {
        std::lock_guard lock(m_mutex);
        m_silentFrames = frames == period ? m_silentFrames + frames : 0;
        if (m_idle || m_silentFrames < kIdleFrames) {
            return;
        }
        m_idle = true;
    }
    ApplyIdleState();
}

// The state change goes to a GStreamer worker: it must not run on the output's own
// streaming thread, nor hold up the track that pushes. Each call applies the newest wanted
// state under m_stateMutex, so the last one to run is right whatever their order.
void SharedAudioOutput::ApplyIdleState() {
    gst_element_call_async(
        m_pipeline.get(),
        [](GstElement* pipeline, gpointer self) {
            if (const std::shared_ptr<SharedAudioOutput> output =
                    static_cast<std::weak_ptr<SharedAudioOutput>*>(self)->lock()) {
                output->ApplyWantedState(pipeline);
            }
        },
        new std::weak_ptr<SharedAudioOutput>(weak_from_this()),
        [](gpointer self) { delete static_cast<std::weak_ptr<SharedAudioOutput>*>(self); });
}

// Live feeds want the live profile at once; without them the cheap one comes back only
// while idle, where the restart cannot be heard.
void SharedAudioOutput::ApplyWantedState(GstElement* pipeline) {
    std::lock_guard stateLock(m_stateMutex);
    bool idle = false;
    bool live = false;
    bool liveOnly = false;
    {
        std::lock_guard lock(m_mutex);
        idle = m_idle;
        live = m_liveFeeds > 0;
        liveOnly = m_liveOnlyFrames >= kDeviceHoldsFrames;
    }
    if (live && m_profile != &kLiveProfile && liveOnly) {
        RestartDevice(pipeline, kLiveProfile);
    } else if (!live && idle && m_profile != &kCheapProfile) {
        RestartDevice(pipeline, kCheapProfile);
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

// Runs on the streaming thread after each period: once the device can hold nothing but
// live sound, a live feed's restart may go ahead.
void SharedAudioOutput::NoteLiveOnlyPeriod(size_t period) {
    {
        std::lock_guard lock(m_mutex);
        if (m_mix.Front() < m_recordedUpTo) {
            m_liveOnlyFrames = 0;
            return;
        }
        const bool reached = m_liveOnlyFrames < kDeviceHoldsFrames &&
                             m_liveOnlyFrames + period >= kDeviceHoldsFrames;
        m_liveOnlyFrames += period;
        if (!reached || m_liveFeeds == 0) {
            return;
        }
    }
    ApplyIdleState();
}

void SharedAudioOutput::AddLiveFeed() {
    {
        std::lock_guard lock(m_mutex);
        if (!m_paced || m_liveFeeds++ > 0) {
            return;
        }
        // An idle device, or one never given recorded sound, holds none of it.
        if (m_idle || m_recordedUpTo == 0) {
            m_liveOnlyFrames = std::max(m_liveOnlyFrames, kDeviceHoldsFrames);
        }
        m_idle = false;
        m_silentFrames = 0;
    }
    ApplyIdleState();
}

// An output already idle goes back to the cheap device now; else when it falls idle.
void SharedAudioOutput::RemoveLiveFeed() {
    {
        std::lock_guard lock(m_mutex);
        if (!m_paced || m_liveFeeds == 0 || --m_liveFeeds > 0 || !m_idle) {
            return;
        }
    }
    ApplyIdleState();
}

// A file output writes its end (the WAV header's sizes) before it is released.
void SharedAudioOutput::Finish() {
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

}  // namespace tavi::gst
