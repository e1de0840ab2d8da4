#include "AudioFeed.h"

#include "SharedAudioOutputTimings.h"

#include <algorithm>
#include <cstring>

namespace tavi::gst {

namespace {

constexpr const char* kSinkName = "tavi-feed";

// The decoders' own formats pass unchanged; anything else becomes 16-bit.
constexpr const char* kFeedFormats =
    "audio/x-raw,format={S16LE,F32LE},layout=interleaved,rate=44100,channels=2";

void OnHandoff(GstElement*, GstBuffer* buffer, GstPad*, gpointer feed) {
    (*static_cast<std::shared_ptr<AudioFeed>*>(feed))->Push(buffer);
}

void ReleaseFeed(gpointer feed, GClosure*) {
    delete static_cast<std::shared_ptr<AudioFeed>*>(feed);
}

}  // namespace

// audioconvert ! audioresample ! the output's formats ! fakesink, handing off.
ElementPtr AudioFeed::CreateSink(const std::shared_ptr<AudioFeed>& feed, QString* error) {
    ElementPtr convert = MakeElement("audioconvert", nullptr, error);
    ElementPtr resample = MakeElement("audioresample", nullptr, error);
    ElementPtr format = MakeElement("capsfilter", nullptr, error);
    ElementPtr sink = MakeElement("fakesink", kSinkName, error);
    if (!convert || !resample || !format || !sink) {
        return nullptr;
    }
    GstCaps* caps = gst_caps_from_string(kFeedFormats);
    g_object_set(format.get(), "caps", caps, nullptr);
    gst_caps_unref(caps);
    const bool realTime = !feed->Output() || !feed->Output()->Paces();
    g_object_set(sink.get(), "sync", gboolean(realTime), "signal-handoffs", TRUE,
                 "enable-last-sample", FALSE, nullptr);
    g_signal_connect_data(sink.get(), "handoff", G_CALLBACK(OnHandoff),
                          new std::shared_ptr<AudioFeed>(feed), ReleaseFeed, GConnectFlags(0));
    GstPad* sinkPad = gst_element_get_static_pad(sink.get(), "sink");
    gst_pad_add_probe(
        sinkPad,
        GstPadProbeType(GST_PAD_PROBE_TYPE_EVENT_FLUSH | GST_PAD_PROBE_TYPE_EVENT_DOWNSTREAM),
        OnEvent, new std::weak_ptr<AudioFeed>(feed),
        [](gpointer weak) { delete static_cast<std::weak_ptr<AudioFeed>*>(weak); });
    gst_object_unref(sinkPad);
    ElementPtr bin(gst_bin_new("tavi-feed-bin"));
    gst_object_ref_sink(bin.get());
    gst_bin_add_many(GST_BIN(bin.get()), convert.get(), resample.get(), format.get(), sink.get(),
                     nullptr);
    gst_element_link_many(convert.get(), resample.get(), format.get(), sink.get(), nullptr);
    GstPad* target = gst_element_get_static_pad(convert.get(), "sink");
    gst_element_add_pad(bin.get(), gst_ghost_pad_new("sink", target));
    gst_object_unref(target);
    return bin;
}

void AudioFeed::KeepRealTime(GstElement* pipeline) {
    if (GstElement* sink = pipeline ? gst_bin_get_by_name(GST_BIN(pipeline), kSinkName) : nullptr) {
        g_object_set(sink, "sync", TRUE, nullptr);
        gst_object_unref(sink);
    }
}

// Runs on the streaming thread (caps, flush stop) or the seeking one (flush start).
GstPadProbeReturn AudioFeed::OnEvent(GstPad*, GstPadProbeInfo* info, gpointer weak) {
    const std::shared_ptr<AudioFeed> feed = static_cast<std::weak_ptr<AudioFeed>*>(weak)->lock();
    GstEvent* event = GST_PAD_PROBE_INFO_EVENT(info);
    if (!feed || !event) {
        return GST_PAD_PROBE_OK;
    }
    switch (GST_EVENT_TYPE(event)) {
        case GST_EVENT_FLUSH_START:
            feed->BeginFlush();
            break;
        case GST_EVENT_FLUSH_STOP:
            feed->m_stopping = false;
            break;
        case GST_EVENT_SEGMENT:
            gst_event_copy_segment(event, &feed->m_segment);
            break;
        case GST_EVENT_EOS:
            feed->OnEndOfStream();
            break;
        case GST_EVENT_CAPS: {
            GstCaps* caps = nullptr;
            gst_event_parse_caps(event, &caps);
            const gchar* format =
                gst_structure_get_string(gst_caps_get_structure(caps, 0), "format");
            feed->m_format = format && std::strcmp(format, "F32LE") == 0
                                 ? SharedAudioOutput::SampleFormat::F32
                                 : SharedAudioOutput::SampleFormat::S16;
            break;
        }
        default:
            break;
    }
    return GST_PAD_PROBE_OK;
}

std::shared_ptr<SharedAudioOutput> AudioFeed::Output() {
    std::lock_guard lock(m_mutex);
    return m_output;
}

// What this track queued is not heard. A track that has queued nothing yet (one opened
// ahead, seeking to its start) leaves the sound of the track before it alone.
void AudioFeed::BeginFlush() {
    m_stopping = true;
    std::lock_guard placing(m_placing);
    m_pushedUpTo = -1;
    m_ended = false;
    if (std::shared_ptr<SharedAudioOutput> output = Output()) {
        if (m_queuedSound.exchange(false)) {
            output->Flush();
        }
        output->WakeWaiters();
    }
}

// The queue is refilled in bursts: once the output has taken it under the queue-ahead, the
// feed fills it to kFillAheadFrames before it waits again. Each wake-up of the streaming
// thread cost several times the decoding it did, and it woke at every period.
void AudioFeed::Push(GstBuffer* buffer) {
    const std::shared_ptr<SharedAudioOutput> output = Output();
    if (!output || !WaitToPush(*output)) {
        return;
    }
    const GainRamp gain = GainFor(buffer);
    std::lock_guard placing(m_placing);
    if (m_stopping) {
        return;
    }
    const guint64 frames = m_live ? output->PushLive(buffer, m_format, m_lane, gain)
                                  : output->Push(buffer, m_format, m_lane, gain);
    m_queuedSound = true;
    m_refilling = !m_live && output->AheadOf(m_lane) < output::kFillAheadFrames;
    NotePushed(buffer, frames);
}

// Whether the buffer goes in. A held feed is pausing: the buffer its sink waits to preroll
// on goes in at once; live sound never waits.
bool AudioFeed::WaitToPush(SharedAudioOutput& output) {
    if (m_live || m_held) {
        return !m_stopping;
    }
    return m_refilling
               ? output.WaitForRoomBelow(output::kFillAheadFrames, m_stopping, m_lane, m_held)
               : output.WaitForRoom(m_stopping, m_lane, m_held);
}

// The last sound is queued. A feed that refills in bursts is further ahead of the device than
// one that waits at every period; the end is let on to the sink (and reported) only once it
// is as near as that, so that what follows (the next track opened ahead and started) keeps
// its timing.
void AudioFeed::OnEndOfStream() {
    const std::shared_ptr<SharedAudioOutput> output = Output();
    if (output) {
        output->EndLane(m_lane);
        if (!m_live) {
            output->WaitUntilDueToEnd(m_stopping, m_lane, m_held);
        }
    }
    m_refilling = false;
    // A seek or a close while it waited has started the track over or ended it.
    std::lock_guard placing(m_placing);
    if (!m_stopping) {
        m_ended = true;
    }
}

namespace {

// The stream time (seconds) of a point of a buffer, when the buffer says.
std::optional<double> StreamSeconds(const GstSegment& segment, GstClockTime time) {
    if (!GST_CLOCK_TIME_IS_VALID(time) || segment.format != GST_FORMAT_TIME) {
        return std::nullopt;
    }
    const guint64 streamTime = gst_segment_to_stream_time(&segment, GST_FORMAT_TIME, time);
    if (!GST_CLOCK_TIME_IS_VALID(streamTime)) {
        return std::nullopt;
    }
    return double(streamTime) / GST_SECOND;
}

GstClockTime BufferEnd(GstBuffer* buffer) {
    return GST_BUFFER_PTS(buffer) +
           (GST_BUFFER_DURATION_IS_VALID(buffer) ? GST_BUFFER_DURATION(buffer) : 0);
}

}  // namespace

// The track's gain times its fade where the buffer begins and ends.
GainRamp AudioFeed::GainFor(GstBuffer* buffer) {
    const float gain = m_gain;
    FadeEnvelope envelope;
    {
        std::lock_guard lock(m_mutex);
        envelope = m_envelope;
    }
    if (envelope.IsFlat() || !GST_BUFFER_PTS_IS_VALID(buffer)) {
        return GainRamp::Flat(gain);
    }
    const std::optional<double> start = StreamSeconds(m_segment, GST_BUFFER_PTS(buffer));
    const std::optional<double> end = StreamSeconds(m_segment, BufferEnd(buffer));
    if (!start || !end) {
        return GainRamp::Flat(gain);
    }
    return {gain * envelope.At(*start), gain * envelope.At(*end)};
}

void AudioFeed::NotePushed(GstBuffer* buffer, guint64 frames) {
    if (!GST_BUFFER_PTS_IS_VALID(buffer) || m_segment.format != GST_FORMAT_TIME) {
        return;
    }
    const guint64 streamTime =
        gst_segment_to_stream_time(&m_segment, GST_FORMAT_TIME, BufferEnd(buffer));
    if (!GST_CLOCK_TIME_IS_VALID(streamTime)) {
        return;
    }
    if (m_pushedUpTo < 0) {
        const guint64 start =
            gst_segment_to_stream_time(&m_segment, GST_FORMAT_TIME, GST_BUFFER_PTS(buffer));
        m_startedAt = GST_CLOCK_TIME_IS_VALID(start) ? gint64(start) : 0;
    }
    m_pushedFrames = frames;
    m_pushedUpTo = gint64(streamTime);
}

void AudioFeed::SetGain(float gain) {
    m_gain = gain;
}

void AudioFeed::FadeIn(double seconds) {
    std::lock_guard lock(m_mutex);
    m_envelope.SetFadeIn(0.0, seconds);
}

void AudioFeed::FadeOut(double from, double seconds) {
    std::lock_guard lock(m_mutex);
    m_envelope.SetFadeOut(from, seconds);
}

void AudioFeed::FadeOutNow(double seconds) {
    const gint64 upTo = m_pushedUpTo;
    FadeOut(upTo < 0 ? 0.0 : double(upTo) / GST_SECOND, seconds);
}

std::optional<guint64> AudioFeed::FrameAt(double seconds) {
    const gint64 upTo = m_pushedUpTo;
    if (upTo < 0) {
        return std::nullopt;
    }
    const double ahead = (seconds - double(upTo) / GST_SECOND) * SharedAudioOutput::kRate;
    const double frame = double(m_pushedFrames) + ahead;
    return frame > 0 ? guint64(frame) : 0;
}

void AudioFeed::StartAt(guint64 frame) {
    if (std::shared_ptr<SharedAudioOutput> output = Output()) {
        output->StartLaneAt(m_lane, frame);
    }
}

std::optional<double> AudioFeed::HeardPosition() {
    const std::shared_ptr<SharedAudioOutput> output = Output();
    const gint64 upTo = m_pushedUpTo;
    if (!output || !output->Paces() || upTo < 0) {
        return std::nullopt;
    }
    if (m_ended) {
        return double(upTo) / GST_SECOND;
    }
    const guint64 taken = output->FramesHeard();
    const guint64 pushed = m_pushedFrames;
    const double ahead = pushed > taken ? double(pushed - taken) / SharedAudioOutput::kRate : 0.0;
    // Until the first sound after a start or a seek is heard, the track stands where it was
    // sent, not before it.
    return std::max(double(m_startedAt) / GST_SECOND, double(upTo) / GST_SECOND - ahead);
}

void AudioFeed::Hold(bool held) {
    if (m_held.exchange(held) == held) {
        return;
    }
    if (std::shared_ptr<SharedAudioOutput> output = Output()) {
        output->Hold(held);
        output->WakeWaiters();
    }
}

AudioFeed::~AudioFeed() {
    Detach();
}

void AudioFeed::SetLive(bool live) {
    if (m_live.exchange(live) == live) {
        return;
    }
    if (std::shared_ptr<SharedAudioOutput> output = Output()) {
        live ? output->AddLiveFeed() : output->RemoveLiveFeed();
    }
}

void AudioFeed::Detach() {
    std::shared_ptr<SharedAudioOutput> output;
    {
        std::lock_guard lock(m_mutex);
        output = std::move(m_output);
    }
    m_stopping = true;
    std::lock_guard placing(m_placing);  // a buffer being queued is in before the lane goes
    if (output) {
        if (m_live.exchange(false)) {
            output->RemoveLiveFeed();
        }
        // A track closed at its end leaves its last sound to be heard; one closed before it
        // is stopped: what it queued is dropped.
        if (!m_ended && m_queuedSound.exchange(false)) {
            output->FlushUnlessOthersRun(m_lane);
        }
        output->ForgetLane(m_lane);
        if (m_held.exchange(false)) {
            output->Hold(false);
        }
        output->WakeWaiters();
    }
    // Released outside the lock: finishing a file output waits for its streaming thread.
}

}  // namespace tavi::gst
