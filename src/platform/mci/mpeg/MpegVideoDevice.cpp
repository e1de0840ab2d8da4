#include "MpegVideoDevice.h"

#include "platform/mci/MciCommands.h"
#include "platform/mci/wave/WaveOutputs.h"

namespace tavi::mci {

namespace {

// An open is synchronous for the device layer; one that takes longer than this (a file on a
// dead mount) fails, and its pipeline is dropped on a worker.
constexpr auto kOpenWait = std::chrono::seconds(5);
constexpr GstClockTime kBusPollInterval = 100 * GST_MSECOND;

}  // namespace

MpegVideoDevice::~MpegVideoDevice() {
    if (m_watcher.joinable()) {
        m_quitWatcher = true;
        m_watcher.join();
    }
    m_pipeline.Release();
    if (m_feed) {
        m_feed->Detach();
    }
}

uint32_t MpegVideoDevice::Open(const QString& element) {
    if (!gst::CanCreateGraph()) {
        return MCIERR_CANNOT_LOAD_DRIVER;
    }
    QString error;
    std::shared_ptr<gst::SharedAudioOutput> output = AcquireSharedOutput(&error);
    if (!output) {
        return MCIERR_HARDWARE;
    }
    m_feed = std::make_shared<gst::AudioFeed>(std::move(output));
    gst::ElementPtr sink = gst::AudioFeed::CreateSink(m_feed, &error);
    if (!sink) {
        return MCIERR_HARDWARE;
    }
    m_pipeline.SetAudioSink(std::move(sink));
    gst::PipelineError failure;
    switch (m_pipeline.Open(
        element, {}, kOpenWait, [] {}, &failure)) {
        case gst::MediaPipeline::OpenResult::Ready:
            break;
        case gst::MediaPipeline::OpenResult::Pending:
            m_pipeline.Release();
            return MCIERR_DEVICE_NOT_READY;
        case gst::MediaPipeline::OpenResult::Failed:
            return MCIERR_INVALID_FILE;
    }
    m_pipeline.SetVolume(double(CurrentWaveVolume() & 0xFFFF) / 65535.0);
    m_watcher = std::thread([this] { Watch(); });
    return 0;
}

void MpegVideoDevice::OnWaveVolume(uint32_t volume) {
    m_pipeline.SetVolume(double(volume & 0xFFFF) / 65535.0);
}

uint64_t MpegVideoDevice::LengthMs() {
    return uint64_t(m_pipeline.Duration().value_or(0.0) * 1000.0);
}

uint64_t MpegVideoDevice::PositionMs() {
    if (m_run == 0) {
        return m_position;
    }
    return uint64_t(m_pipeline.Position().value_or(double(m_position) / 1000.0) * 1000.0);
}

uint32_t MpegVideoDevice::StartRun(std::optional<uint64_t> from, std::optional<uint64_t> to,
                                   uint64_t run) {
    const double start = double(from.value_or(m_position)) / 1000.0;
    const std::optional<double> stop =
        to ? std::optional<double>(double(*to) / 1000.0) : std::nullopt;
    gst::PipelineError error;
    if (!m_pipeline.Seek(start, stop) || !m_pipeline.SetState(GST_STATE_PLAYING, &error)) {
        return MCIERR_DRIVER;
    }
    // The flushing seek dropped what was queued before it; what comes now is heard.
    m_feed->Hold(false);
    m_run = run;
    return 0;
}

void MpegVideoDevice::HaltRun() {
    if (m_run == 0) {
        return;
    }
    m_position = PositionMs();
    m_run = 0;
    gst::PipelineError error;
    m_pipeline.SetState(GST_STATE_PAUSED, &error);
    // The sound already queued is not heard after the halt; the next run's seek drops it.
    m_feed->Hold(true);
}

void MpegVideoDevice::MoveTo(uint64_t ms) {
    m_position = std::min(ms, LengthMs());
    m_pipeline.Seek(double(m_position) / 1000.0);
}

uint32_t MpegVideoDevice::WaveOutputStatus(uintptr_t* handle) {
    *handle = kWaveOutHandle;
    return 0;
}

// Runs on the watcher: the end of the stream ends the run; an error fails it.
void MpegVideoDevice::Watch() {
    gst::BusPtr bus(m_pipeline.Bus());
    while (bus && !m_quitWatcher) {
        gst::MessagePtr message(gst_bus_timed_pop_filtered(
            bus.get(), kBusPollInterval, GstMessageType(GST_MESSAGE_EOS | GST_MESSAGE_ERROR)));
        const uint64_t run = m_run;
        if (message && run != 0) {
            RunEnded(run, GST_MESSAGE_TYPE(message.get()) == GST_MESSAGE_ERROR);
        }
    }
}

}  // namespace tavi::mci
