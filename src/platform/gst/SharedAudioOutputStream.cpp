#include "SharedAudioOutput.h"

#include "SharedAudioOutputTimings.h"

#include <algorithm>
#include <cstring>
#include <optional>

namespace tavi::gst {

using namespace output;

namespace {

// The sink of the sound server a device element plays on: empty for the server's default
// (no device chosen), nothing for a device of another kind.
std::optional<QByteArray> SoundServerSinkOf(GstElement* device) {
    if (!device) {
        return QByteArray();
    }
    GstElementFactory* factory = gst_element_get_factory(device);
    if (!factory || std::strcmp(GST_OBJECT_NAME(factory), "pulsesink") != 0) {
        return std::nullopt;
    }
    gchar* name = nullptr;
    g_object_get(device, "device", &name, nullptr);
    QByteArray sink(name ? name : "");
    g_free(name);
    return sink;
}

pulse::PulseStream::Buffer StreamBufferOf(const SharedAudioOutput::DeviceProfile& profile) {
    return {profile.periodFrames, profile.sinkBufferUs};
}

}  // namespace

// The system's default output, or a device of the sound server, plays on a stream of the
// server's own. Without a server (or for another kind of device) GStreamer plays it.
bool SharedAudioOutput::Start(const AudioOutputSpec& spec, ElementPtr device, QString* error) {
    if (spec.kind == AudioOutputSpec::Kind::Auto) {
        if (const std::optional<QByteArray> sink = SoundServerSinkOf(device.get());
            sink && StartStream(*sink)) {
            return true;
        }
    }
    return StartPipeline(spec, std::move(device), error);
}

// Fails quietly: GStreamer then looks for a device itself and reports what it cannot find.
bool SharedAudioOutput::StartStream(const QByteArray& sinkName) {
    // The stream starts corked, as after a second of silence: the first push starts it.
    m_idle = true;
    QString error;
    m_stream = pulse::PulseStream::Open(
        sinkName, StreamBufferOf(kCheapProfile),
        [this](pulse::PulseStream& stream) { ServeStream(stream); }, &error);
    m_idle = m_stream != nullptr;
    return m_stream != nullptr;
}

// Runs on the stream's thread while the server has room for a period. Whole periods of sound
// are written as soon as they are queued; a period padded with silence only when the server is
// about to run dry, so a track's start is not split by silence while its feed catches up.
void SharedAudioOutput::ServeStream(pulse::PulseStream& stream) {
    thread_local std::vector<int16_t> out;
    for (;;) {
        size_t period = 0;
        {
            std::lock_guard lock(m_mutex);
            if (m_idle) {
                return;
            }
            period = m_periodFrames;
        }
        if (stream.WritableFrames() < period) {
            return;
        }
        out.resize(period * kChannels);
        const StreamTake take = TakeForStream(out.data(), period, stream.BufferedFrames());
        if (!take.write) {
            if (take.lookAgainIn.count() > 0) {
                stream.FillAgainIn(take.lookAgainIn);
            }
            return;
        }
        std::fill(out.begin() + ptrdiff_t(take.frames * kChannels), out.end(), int16_t(0));
        TapPeriod(out.data(), period);
        stream.Write(out.data(), period);
        {
            const size_t held = stream.BufferedFrames();
            std::lock_guard lock(m_mutex);
            m_heard.NoteWrite(take.queueEnd, take.frames, period, held,
                              std::chrono::steady_clock::now());
        }
        NoteLiveOnlyPeriod(period);
        NoteSilence(take.frames == period ? 0 : period - take.frames, period);
    }
}

// `buffered` is what the server holds unplayed. While it holds a period or more, only a whole
// period of sound is taken; with less, what there is (silence while held or priming). A server
// that holds nothing plays nothing yet: it waits for the cushion of the sound that is coming.
SharedAudioOutput::StreamTake SharedAudioOutput::TakeForStream(int16_t* out, size_t frames,
                                                               size_t buffered) {
    StreamTake result;
    bool room = false;
    {
        std::lock_guard lock(m_mutex);
        const size_t queued = m_mix.Queued();
        const bool complete = NoteCushion();
        const bool ready = !m_priming && m_holds == 0 && (queued >= frames || complete);
        if (!ready && buffered >= frames) {
            // Until the server runs low, unless a push comes first.
            m_wantsSound = true;
            const auto low = std::chrono::milliseconds((buffered - frames) * 1000 / kRate);
            return {false, 0, 0, std::max(low, std::chrono::milliseconds(5))};
        }
        if (!ready && buffered == 0 && queued > 0 && m_holds == 0) {
            m_wantsSound = true;
            return {false, 0, 0,
                    std::chrono::duration_cast<std::chrono::milliseconds>(kPrimeRetry)};
        }
        result.frames = TakeQueued(out, frames);
        result.queueEnd = m_mix.Front();
        room = RoomForAWaiter();
    }
    if (room) {
        m_room.notify_all();
    }
    return result;
}

// Runs with the stream locked. The buffer changes in place (WantedProfile). An idle stream is
// corked, and what it held, silence by then, is dropped, so the next sound starts at once.
void SharedAudioOutput::ApplyWantedStreamState() {
    bool idle = false;
    const DeviceProfile* wanted = WantedProfile(&idle);
    if (wanted != m_profile) {
        m_stream->SetBuffer(StreamBufferOf(*wanted));
        {
            std::lock_guard lock(m_mutex);
            m_periodFrames = wanted->periodFrames;
            m_profile = wanted;
        }
        ForgetStreamWrites();
    }
    if (idle) {
        m_stream->Flush();
        ForgetStreamWrites();
    }
    m_stream->SetCorked(idle);
    if (!idle) {
        // The server asked for sound while the stream was corked; it does not ask again.
        m_stream->FillSoon();
    }
}

// The server dropped what it held.
void SharedAudioOutput::ForgetStreamWrites() {
    std::lock_guard lock(m_mutex);
    m_heard.Clear();
}

gint64 SharedAudioOutput::DeviceBufferUs() {
    return m_stream ? m_stream->BufferUs() : PipelineBufferUs();
}

}  // namespace tavi::gst
