#include "QueuedWaveOutput.h"

#include "platform/gst/SharedAudioOutput.h"

#include <atomic>

namespace tavi::mci {

QueuedWaveOutput::QueuedWaveOutput(std::shared_ptr<gst::SharedAudioOutput> shared)
    : m_shared(std::move(shared)) {}

// A flush empties the queue, so a write waiting for room goes on at once after a stop.
bool QueuedWaveOutput::Write(const float* samples, size_t frames) {
    static const std::atomic<bool> kNeverCancelled = false;
    m_shared->WaitForRoom(kNeverCancelled);
    const size_t bytes = frames * kChannels * sizeof(float);
    GstBuffer* buffer = gst_buffer_new_allocate(nullptr, bytes, nullptr);
    gst_buffer_fill(buffer, 0, samples, bytes);
    m_shared->Push(buffer);
    gst_buffer_unref(buffer);
    return true;
}

void QueuedWaveOutput::Flush() {
    m_shared->Flush();
}

double QueuedWaveOutput::SecondsUntilDue() {
    return m_shared->SecondsUntilRoom();
}

}  // namespace tavi::mci
