#pragma once

#include "SharedAudioOutput.h"

#include <memory>
#include <mutex>

namespace tavi::gst {

// One track's connection to the shared output. The track's pipeline ends in the feed's
// sink, which renders in real time (so positions, pauses and the end of the track keep
// their meaning) and hands each buffer to the output. Detach ends the connection: the
// output is released even while the track's pipeline still exists.
class AudioFeed {
public:
    explicit AudioFeed(std::shared_ptr<SharedAudioOutput> output) : m_output(std::move(output)) {}

    // The sink element for a track's pipeline; it keeps the feed alive as long as it exists.
    static ElementPtr CreateSink(const std::shared_ptr<AudioFeed>& feed, QString* error);

    void Push(GstBuffer* buffer);
    void Flush();
    void Detach();

private:
    std::mutex m_mutex;
    std::shared_ptr<SharedAudioOutput> m_output;
};

}  // namespace tavi::gst
