#pragma once

#include "platform/gst/AudioFeed.h"
#include "platform/gst/MediaPipeline.h"
#include "platform/mci/MciPlaybackDevice.h"

#include <atomic>
#include <thread>

namespace tavi::mci {

// The "mpegvideo" device: whatever GStreamer's playbin plays, its sound fed to the shared
// output like every GStreamer track's; a picture is decoded and discarded. A watcher
// thread turns the end of the stream and errors into the end of the run.
class MpegVideoDevice : public MciPlaybackDevice {
public:
    MpegVideoDevice() = default;
    ~MpegVideoDevice() override;

    uint32_t Open(const QString& element) override;
    void OnWaveVolume(uint32_t volume) override;

protected:
    uint64_t LengthMs() override;
    uint64_t PositionMs() override;
    uint32_t StartRun(std::optional<uint64_t> from, std::optional<uint64_t> to,
                      uint64_t run) override;
    void HaltRun() override;
    void MoveTo(uint64_t ms) override;
    uint32_t WaveOutputStatus(uintptr_t* handle) override;

private:
    void Watch();

    gst::MediaPipeline m_pipeline;
    std::shared_ptr<gst::AudioFeed> m_feed;
    std::thread m_watcher;
    std::atomic<bool> m_quitWatcher = false;
    std::atomic<uint64_t> m_run = 0;  // the run the stream's end belongs to; 0 when halted
    uint64_t m_position = 0;          // where a halted run stands (the command thread's)
};

}  // namespace tavi::mci
