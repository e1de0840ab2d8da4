#include "PulseStream.h"

#include <pulse/pulseaudio.h>
#include <QCoreApplication>

#include <algorithm>

namespace tavi::pulse {

namespace {

constexpr size_t kFrameBytes = PulseStream::kChannels * sizeof(int16_t);
// A server that neither answers nor refuses (hung, or far away) fails the start after this.
constexpr pa_usec_t kConnectTimeoutUs = 5 * PA_USEC_PER_SEC;

pa_buffer_attr AttributesFor(const PulseStream::Buffer& buffer) {
    const auto period = uint32_t(buffer.periodFrames * kFrameBytes);
    pa_buffer_attr attributes;
    attributes.maxlength = uint32_t(-1);
    attributes.tlength =
        uint32_t(buffer.bufferUs * PulseStream::kRate / PA_USEC_PER_SEC) * uint32_t(kFrameBytes);
    // Playing starts (and, after running dry, starts again) as soon as a period is there.
    attributes.prebuf = period;
    // The server keeps its sink's latency at half of the buffer less two of these, and asks
    // as often as that latency: half a period asks once a period (every 200 ms, not every
    // 100 ms), with the same buffer heard after a pause.
    attributes.minreq = uint32_t(buffer.periodFrames / 2 * kFrameBytes);
    attributes.fragsize = uint32_t(-1);
    return attributes;
}

void Forget(pa_operation* operation) {
    if (operation) {
        pa_operation_unref(operation);
    }
}

pa_proplist* PlayerProperties() {
    pa_proplist* properties = pa_proplist_new();
    pa_proplist_sets(properties, PA_PROP_APPLICATION_NAME, "Tavi");
    pa_proplist_sets(properties, PA_PROP_APPLICATION_ICON_NAME, "tavi");
    pa_proplist_sets(properties, PA_PROP_MEDIA_ROLE, "music");
    return properties;
}

QString WithReason(const QString& text, int code) {
    return text.arg(QString::fromLocal8Bit(pa_strerror(code)));
}

}  // namespace

std::unique_ptr<PulseStream> PulseStream::Open(const QByteArray& sinkName, const Buffer& buffer,
                                               Fill fill, QString* error) {
    std::unique_ptr<PulseStream> stream(new PulseStream);
    stream->m_fill = std::move(fill);
    if (!stream->Connect(sinkName, buffer, error)) {
        return nullptr;
    }
    return stream;
}

PulseStream::~PulseStream() {
    Disconnect();
}

bool PulseStream::Connect(const QByteArray& sinkName, const Buffer& buffer, QString* error) {
    m_loop = pa_threaded_mainloop_new();
    if (!m_loop || pa_threaded_mainloop_start(m_loop) < 0) {
        *error = QCoreApplication::translate("AudioOutput",
                                             "The sound server's connection could not be started.");
        return false;
    }
    pa_threaded_mainloop_lock(m_loop);
    pa_proplist* properties = PlayerProperties();
    const bool ready =
        ConnectContext(properties, error) && ConnectStream(sinkName, buffer, properties, error);
    pa_proplist_free(properties);
    pa_threaded_mainloop_unlock(m_loop);
    return ready;
}

bool PulseStream::ConnectContext(pa_proplist* properties, QString* error) {
    m_context =
        pa_context_new_with_proplist(pa_threaded_mainloop_get_api(m_loop), "Tavi", properties);
    pa_context_set_state_callback(m_context, OnContextState, this);
    // No server is started for us: without one, the caller plays on the device directly.
    if (pa_context_connect(m_context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) >= 0 &&
        WaitUntilReady([this] {
            const pa_context_state_t state = pa_context_get_state(m_context);
            return state == PA_CONTEXT_READY ? 1 : PA_CONTEXT_IS_GOOD(state) ? 0 : -1;
        })) {
        return true;
    }
    *error = m_timedOut
                 ? QCoreApplication::translate("AudioOutput", "The sound server did not answer.")
                 : WithReason(QCoreApplication::translate(
                                  "AudioOutput", "The sound server could not be reached: %1"),
                              pa_context_errno(m_context));
    return false;
}

bool PulseStream::ConnectStream(const QByteArray& sinkName, const Buffer& buffer,
                                pa_proplist* properties, QString* error) {
    const pa_sample_spec spec{PA_SAMPLE_S16LE, kRate, kChannels};
    m_stream = pa_stream_new_with_proplist(m_context, "Playback", &spec, nullptr, properties);
    pa_stream_set_state_callback(m_stream, OnStreamState, this);
    pa_stream_set_write_callback(m_stream, OnWritable, this);
    const pa_buffer_attr attributes = AttributesFor(buffer);
    const auto flags = pa_stream_flags_t(PA_STREAM_ADJUST_LATENCY | PA_STREAM_START_CORKED);
    if (pa_stream_connect_playback(m_stream, sinkName.isEmpty() ? nullptr : sinkName.data(),
                                   &attributes, flags, nullptr, nullptr) >= 0 &&
        WaitUntilReady([this] {
            const pa_stream_state_t state = pa_stream_get_state(m_stream);
            return state == PA_STREAM_READY ? 1 : PA_STREAM_IS_GOOD(state) ? 0 : -1;
        })) {
        m_bufferFrames = pa_stream_get_buffer_attr(m_stream)->tlength / kFrameBytes;
        return true;
    }
    *error = m_timedOut
                 ? QCoreApplication::translate("AudioOutput", "The sound server did not answer.")
                 : WithReason(QCoreApplication::translate("AudioOutput",
                                                          "The sound server refused to play: %1"),
                              pa_context_errno(m_context));
    return false;
}

// Waits, with the loop locked, until `state` says ready (1) or failed (-1), or the time is up.
bool PulseStream::WaitUntilReady(const std::function<int()>& state) {
    m_timedOut = false;
    pa_time_event* timeout = pa_context_rttime_new(
        m_context, pa_rtclock_now() + kConnectTimeoutUs,
        [](pa_mainloop_api*, pa_time_event*, const struct timeval*, void* self) {
            auto* stream = static_cast<PulseStream*>(self);
            stream->m_timedOut = true;
            pa_threaded_mainloop_signal(stream->m_loop, 0);
        },
        this);
    int now = 0;
    while ((now = state()) == 0 && !m_timedOut) {
        pa_threaded_mainloop_wait(m_loop);
    }
    pa_threaded_mainloop_get_api(m_loop)->time_free(timeout);
    return now == 1;
}

void PulseStream::Disconnect() {
    if (!m_loop) {
        return;
    }
    pa_threaded_mainloop_lock(m_loop);
    if (m_fillAgain) {
        pa_threaded_mainloop_get_api(m_loop)->time_free(m_fillAgain);
        m_fillAgain = nullptr;
    }
    if (m_stream) {
        pa_stream_set_write_callback(m_stream, nullptr, nullptr);
        pa_stream_set_state_callback(m_stream, nullptr, nullptr);
        pa_stream_disconnect(m_stream);
        pa_stream_unref(m_stream);
        m_stream = nullptr;
    }
    if (m_context) {
        pa_context_set_state_callback(m_context, nullptr, nullptr);
        pa_context_disconnect(m_context);
        pa_context_unref(m_context);
        m_context = nullptr;
    }
    pa_threaded_mainloop_unlock(m_loop);
    pa_threaded_mainloop_stop(m_loop);
    pa_threaded_mainloop_free(m_loop);
    m_loop = nullptr;
}

void PulseStream::OnContextState(pa_context*, void* self) {
    pa_threaded_mainloop_signal(static_cast<PulseStream*>(self)->m_loop, 0);
}

void PulseStream::OnStreamState(pa_stream*, void* self) {
    pa_threaded_mainloop_signal(static_cast<PulseStream*>(self)->m_loop, 0);
}

void PulseStream::OnWritable(pa_stream*, size_t, void* self) {
    auto* stream = static_cast<PulseStream*>(self);
    if (stream->m_fill) {
        stream->m_fill(*stream);
    }
}

size_t PulseStream::WritableFrames() const {
    const size_t bytes = pa_stream_writable_size(m_stream);
    return bytes == size_t(-1) ? 0 : bytes / kFrameBytes;
}

// Two figures, the lower one holds. The server asks for what it lacks of its buffer (the one
// last asked for: the server's own figure changes only with its answer, and a request sized
// for a new buffer can come first). And it holds at most what it was last given less what
// it has played since, so a request that never came (after a flush) cannot look like sound.
size_t PulseStream::BufferedFrames() const {
    const size_t asked = m_bufferFrames - std::min(m_bufferFrames, WritableFrames());
    const double played =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - m_heldSince).count() *
        kRate;
    const double held = std::max(0.0, double(m_held) - played);
    return std::min(asked, size_t(held));
}

void PulseStream::Write(const int16_t* samples, size_t frames) {
    m_held = BufferedFrames() + frames;
    m_heldSince = std::chrono::steady_clock::now();
    pa_stream_write(m_stream, samples, frames * kFrameBytes, nullptr, 0, PA_SEEK_RELATIVE);
}

void PulseStream::FillAgainIn(std::chrono::milliseconds delay) {
    const pa_usec_t due = pa_rtclock_now() + pa_usec_t(delay.count()) * PA_USEC_PER_MSEC;
    if (m_fillAgain) {
        pa_context_rttime_restart(m_context, m_fillAgain, due);
        return;
    }
    m_fillAgain = pa_context_rttime_new(
        m_context, due,
        [](pa_mainloop_api*, pa_time_event*, const struct timeval*, void* self) {
            auto* stream = static_cast<PulseStream*>(self);
            if (stream->m_fill) {
                stream->m_fill(*stream);
            }
        },
        this);
}

void PulseStream::FillSoon() {
    Locked([this] { FillAgainIn(std::chrono::milliseconds(0)); });
}

void PulseStream::Locked(const std::function<void()>& work) {
    if (pa_threaded_mainloop_in_thread(m_loop)) {
        work();
        return;
    }
    pa_threaded_mainloop_lock(m_loop);
    work();
    pa_threaded_mainloop_unlock(m_loop);
}

void PulseStream::SetCorked(bool corked) {
    Locked([&] { Forget(pa_stream_cork(m_stream, corked ? 1 : 0, nullptr, nullptr)); });
}

void PulseStream::Flush() {
    Locked([&] {
        m_held = 0;
        Forget(pa_stream_flush(m_stream, nullptr, nullptr));
    });
}

// The new buffer first, then the flush: the server's request after the flush is then for the
// new buffer, not a whole old one.
void PulseStream::SetBuffer(const Buffer& buffer) {
    Locked([&] {
        const pa_buffer_attr attributes = AttributesFor(buffer);
        m_bufferFrames = attributes.tlength / kFrameBytes;
        Forget(pa_stream_set_buffer_attr(
            m_stream, &attributes,
            [](pa_stream* stream, int success, void* self) {
                const pa_buffer_attr* granted = pa_stream_get_buffer_attr(stream);
                if (success && granted) {
                    static_cast<PulseStream*>(self)->m_bufferFrames =
                        granted->tlength / kFrameBytes;
                }
            },
            this));
        m_held = 0;
        Forget(pa_stream_flush(m_stream, nullptr, nullptr));
    });
}

int64_t PulseStream::BufferUs() {
    int64_t us = 0;
    Locked([&] {
        if (const pa_buffer_attr* attributes = pa_stream_get_buffer_attr(m_stream)) {
            us = int64_t(attributes->tlength / kFrameBytes) * int64_t(PA_USEC_PER_SEC) / kRate;
        }
    });
    return us;
}

bool PulseStream::IsHealthy() {
    bool healthy = false;
    Locked([&] {
        healthy = pa_context_get_state(m_context) == PA_CONTEXT_READY &&
                  pa_stream_get_state(m_stream) == PA_STREAM_READY;
    });
    return healthy;
}

}  // namespace tavi::pulse
