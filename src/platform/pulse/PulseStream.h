#pragma once

#include <QByteArray>
#include <QString>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

struct pa_context;
struct pa_proplist;
struct pa_stream;
struct pa_threaded_mainloop;
struct pa_time_event;

namespace tavi::pulse {

// A playback stream on the sound server (PulseAudio, or PipeWire's server for its clients):
// stereo 44.1 kHz 16-bit, written from the connection's own thread whenever the server asks
// for sound. The shared output uses it instead of a GStreamer sink so that a played second
// costs one wake-up of one thread per period, not three threads' worth.
//
// Fill runs on the connection's thread with the stream locked; it writes with Write. Every
// other call may come from any thread: it locks the stream itself, or runs at once when made
// from within Fill (Locked does the same for a group of calls).
class PulseStream {
public:
    struct Buffer {
        size_t periodFrames;  // what the server asks for at a time
        int64_t bufferUs;     // what it holds for us
    };
    using Fill = std::function<void(PulseStream& stream)>;

    static constexpr int kRate = 44100;
    static constexpr int kChannels = 2;

    // Connects to the server and to its sink of that name (the default when empty). The
    // stream starts corked. Null with *error when there is no server or no such sink.
    static std::unique_ptr<PulseStream> Open(const QByteArray& sinkName, const Buffer& buffer,
                                             Fill fill, QString* error);
    ~PulseStream();
    PulseStream(const PulseStream&) = delete;
    PulseStream& operator=(const PulseStream&) = delete;

    // With the stream locked: what the server has room for, and what it holds unplayed.
    size_t WritableFrames() const;
    size_t BufferedFrames() const;
    void Write(const int16_t* samples, size_t frames);
    // With the stream locked: runs Fill again after `delay`, once (a later call replaces an
    // earlier one).
    void FillAgainIn(std::chrono::milliseconds delay);
    // Runs Fill on the connection's thread as soon as it can. Sound is written there only:
    // blocks written from another thread make the server fall back to copying them whole.
    void FillSoon();

    void Locked(const std::function<void()>& work);
    void SetCorked(bool corked);
    // Drops what the server holds and has not played.
    void Flush();
    // A new period and buffer for the running stream; what the server holds is dropped.
    void SetBuffer(const Buffer& buffer);
    // The buffer the server granted, in microseconds.
    int64_t BufferUs();
    // False once the server or the stream has gone (the server stopped, the sink vanished).
    bool IsHealthy();

private:
    PulseStream() = default;
    bool Connect(const QByteArray& sinkName, const Buffer& buffer, QString* error);
    bool ConnectContext(pa_proplist* properties, QString* error);
    bool ConnectStream(const QByteArray& sinkName, const Buffer& buffer, pa_proplist* properties,
                       QString* error);
    bool WaitUntilReady(const std::function<int()>& state);
    void Disconnect();
    static void OnContextState(pa_context* context, void* self);
    static void OnStreamState(pa_stream* stream, void* self);
    static void OnWritable(pa_stream* stream, size_t bytes, void* self);

    pa_threaded_mainloop* m_loop = nullptr;
    pa_context* m_context = nullptr;
    pa_stream* m_stream = nullptr;
    pa_time_event* m_fillAgain = nullptr;
    Fill m_fill;
    bool m_timedOut = false;
    size_t m_bufferFrames = 0;  // the server's buffer for us, as last asked or granted
    size_t m_held = 0;          // what the server held after the last write
    std::chrono::steady_clock::time_point m_heldSince;
};

}  // namespace tavi::pulse
