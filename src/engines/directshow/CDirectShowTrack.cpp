#include "CDirectShowTrack.h"

#include "CDirectShowPersistFilterList.h"
#include "Mp3LengthEstimate.h"
#include "VideoStream.h"
#include "app/settings/ViewSettings.h"
#include "engines/TrackFactory.h"
#include "engines/VideoPlacement.h"
#include "engines/exceptions/CDirectShowException.h"
#include "engines/mci/SharedOutputForMci.h"
#include "platform/gst/AudioOutput.h"
#include "platform/gst/SharedAudioOutput.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cmath>
#include <latch>
#include <utility>

namespace tavi::engines {

namespace {

constexpr uint32_t kNoInterface = 0x80004002;  // E_NOINTERFACE
constexpr uint32_t kFail = 0x80004005;
constexpr int kHideDelayMs = 1000;
const QString kApplicationTitle = QStringLiteral("Tavi");
std::atomic<std::chrono::milliseconds> openWait = CDirectShowTrack::kDefaultOpenWait;

// VideoMode: where a new video goes when the window is neither full screen nor maximised.
enum VideoMode : uint32_t { SizeToVideo = 0, SameSize = 1, FullScreen = 2, Maximize = 3 };

[[noreturn]] void Throw(uint32_t operation, const gst::PipelineError& error) {
    throw CDirectShowException(operation, error.result, error.text);
}

}  // namespace

CDirectShowTrack::~CDirectShowTrack() {
    if (m_state != Closed) {
        Close();
    }
}

void CDirectShowTrack::Open(const QString& fileName) {
    CMediaTrack::Open(fileName);
    if (!gst::CanCreateGraph()) {
        throw CDirectShowException(
            CDirectShowException::CreateGraph, kFail,
            QCoreApplication::translate("CDirectShowTrack",
                                        "GStreamer or its playbin element is not available."));
    }
    m_openedAhead = m_openingAhead;
    m_usableAhead = true;
    m_requestedStart.reset();
    m_requestedStop.reset();
    VideoWindowHost* videoHost = m_openedAhead || !MayHaveVideo() ? nullptr : videoWindowHost();
    if (videoHost) {
        VideoSurface surface = videoHost->CreateVideoSurface();
        m_videoSurfaceId = surface.id;
        m_pipeline.SetVideoSink(std::move(surface.sink), surface.windowHandle);
    }
    if (!AddConfiguredFilters()) {
        throw CDirectShowException(
            CDirectShowException::AddConfiguredFilters, kFail,
            QCoreApplication::translate("CDirectShowTrack",
                                        "The audio output could not be created."));
    }
    gst::PipelineError error;
    const auto result = RenderPipeline(fileName, &error);
    if (result == gst::MediaPipeline::OpenResult::Failed) {
        Throw(CDirectShowException::RenderFile, error);
    }
    m_state = Stopped;
    if (result == gst::MediaPipeline::OpenResult::Ready) {
        StartUsing(videoHost);
    }
}

bool CDirectShowTrack::MayHaveVideo() const {
    return !IsSoundOnlyFile(GetFileName());
}

gst::MediaPipeline::OpenResult CDirectShowTrack::RenderPipeline(const QString& fileName,
                                                                gst::PipelineError* error) {
    return m_pipeline.Open(fileName, DecoderChain(), OpenWait(),
                           m_notifyWnd.MessagePoster(CMediaTrackNotifyWnd::kOpenEndedMessage),
                           error);
}

// The pipeline is prerolled: its bus is watched and its video shown.
void CDirectShowTrack::StartUsing(VideoWindowHost* videoHost) {
    StartWatcher();
    if (HasVideo()) {
        gst::AudioFeed::KeepRealTime(m_pipeline.Pipeline());
    }
    if (videoHost && HasVideo()) {
        ShowVideo();
    }
}

// A background open ended. A failure goes to the owner as if it had happened while playing.
void CDirectShowTrack::OnOpenEnded() {
    if (!m_pipeline.IsOpening()) {
        return;
    }
    gst::PipelineError error;
    if (!m_pipeline.FinishOpen(&error)) {
        m_usableAhead = false;
        m_state = Stopped;
        m_notifyWnd.PostError(std::make_unique<CDirectShowException>(
            CDirectShowException::RenderFile, error.result, error.text));
        return;
    }
    // Opened ahead without the window, video could not be shown: the entry opens anew.
    m_usableAhead = !(m_openedAhead && HasVideo());
    StartUsing(m_openedAhead || !MayHaveVideo() ? nullptr : videoWindowHost());
    ApplyRequestedCommands();
}

void CDirectShowTrack::WaitForOpen(std::chrono::milliseconds wait) {
    if (m_pipeline.IsOpening() && m_pipeline.WaitForOpen(wait)) {
        OnOpenEnded();
    }
}

// What was asked for while opening, in the order a user would have seen it take effect.
void CDirectShowTrack::ApplyRequestedCommands() {
    const int requested = m_state;
    m_state = Stopped;
    try {
        const std::optional<double> start = std::exchange(m_requestedStart, std::nullopt);
        const std::optional<double> stop = std::exchange(m_requestedStop, std::nullopt);
        if (start && !m_pipeline.Seek(*start, stop)) {
            throw CDirectShowException(
                CDirectShowException::SeekGraph, kFail,
                QCoreApplication::translate("CDirectShowTrack", "The position cannot be set."));
        }
        if (requested == Playing) {
            Play();
        } else if (requested == Paused) {
            Pause();
        }
    } catch (const CDirectShowException& error) {
        m_notifyWnd.PostError(std::make_unique<CDirectShowException>(error));
    }
}

bool CDirectShowTrack::OpenAhead(const QString& fileName) {
    m_openingAhead = true;
    try {
        Open(fileName);
    } catch (...) {
        m_openingAhead = false;
        throw;
    }
    m_openingAhead = false;
    return !HasVideo();
}

// Attaches this track to the shared window, shows it (a pending hide from the previous
// video is cancelled) and places the picture by the user's VideoMode.
void CDirectShowTrack::ShowVideo() {
    VideoWindowHost* host = videoWindowHost();
    host->AttachTrack(this, m_videoSurfaceId);
    host->SetTitle(QFileInfo(m_fileName).completeBaseName() + QStringLiteral(" - ") +
                   kApplicationTitle);
    host->CancelDelayedHide();
    m_videoShown = true;
    PlaceVideo(*host);
}

void CDirectShowTrack::PlaceVideo(VideoWindowHost& host) {
    if (host.IsFullScreen() || host.IsMaximized()) {
        FitVideo();
        return;
    }
    switch (settings::viewSettings().videoMode) {
        case SizeToVideo:
            SizeWindowToVideo();
            break;
        case FullScreen:
            host.SetFullScreen(true);
            FitVideo();
            break;
        case Maximize:
            host.Maximize();
            FitVideo();
            break;
        case SameSize:
        default:
            FitVideo();
            break;
    }
}

void CDirectShowTrack::FitVideo() {
    VideoWindowHost* host = videoWindowHost();
    const std::optional<VideoStreamInfo> video = ReadVideoStream(m_pipeline.Pipeline());
    if (!host || !m_videoShown || !video) {
        return;
    }
    if (const std::optional<QRect> rect = FitVideoRect(host->ClientSize(), video->aspect)) {
        host->SetVideoPosition(*rect);
    }
}

void CDirectShowTrack::SizeWindowToVideo() {
    VideoWindowHost* host = videoWindowHost();
    const std::optional<VideoStreamInfo> video = ReadVideoStream(m_pipeline.Pipeline());
    if (!host || !video) {
        return;
    }
    // The size the picture shows at: anamorphic video sized by its stored pixels would be
    // squeezed.
    host->SizeToVideo(video->displaySize);
    host->SetVideoPosition(QRect(QPoint(0, 0), video->displaySize));
}

void CDirectShowTrack::OnVideoSize(uint32_t /*sizeType*/, int /*width*/, int /*height*/) {
    FitVideo();
}

// The output is the shared one for the current choice of output; a changed choice (another
// device, say) takes effect here, at the next track.
bool CDirectShowTrack::AddConfiguredFilters() {
    CDirectShowPersistFilterList& filters = directShowFilters();
    QString error;
    std::shared_ptr<gst::SharedAudioOutput> output = AcquireConfiguredOutput(&error);
    if (!output) {
        return false;
    }
    m_feed = std::make_shared<gst::AudioFeed>(std::move(output));
    m_feed->SetGain(m_gain);
    gst::ElementPtr sink = gst::AudioFeed::CreateSink(m_feed, &error);
    if (!sink) {
        return false;
    }
    m_pipeline.SetAudioSink(std::move(sink));
    m_pipeline.SetAudioFilter(filters.CreateEffectsBin());
    return true;
}

void CDirectShowTrack::SetGain(float gain) {
    m_gain = gain;
    if (m_feed) {
        m_feed->SetGain(gain);
    }
}

// Only sound on a lane of its own crosses another track; pictures do not.
bool CDirectShowTrack::CanCrossfade() {
    return m_feed && !HasVideo();
}

void CDirectShowTrack::CrossfadeIn(double seconds, std::optional<uint64_t> startFrame) {
    if (m_feed) {
        if (startFrame) {
            m_feed->StartAt(*startFrame);
        }
        m_feed->FadeIn(seconds);
    }
}

void CDirectShowTrack::CrossfadeOut(std::optional<double> from, double seconds) {
    if (m_feed) {
        from ? m_feed->FadeOut(*from, seconds) : m_feed->FadeOutNow(seconds);
    }
}

std::optional<uint64_t> CDirectShowTrack::OutputFrameAt(double seconds) {
    return m_feed ? m_feed->FrameAt(seconds) : std::nullopt;
}

void CDirectShowTrack::StartWatcher() {
    m_quitWatcher = false;
    m_watchedBus.reset(m_pipeline.Bus());
    std::latch ready(1);
    m_watcher = std::thread([this, &ready] {
        ready.count_down();
        WatchBus();
    });
    ready.wait();
}

// Runs on the worker: the end of the stream and errors go to the UI thread as messages. It
// sleeps until a message comes (StopWatcher posts one), so an open track costs no wake-ups.
void CDirectShowTrack::WatchBus() {
    GstBus* bus = m_watchedBus.get();
    while (bus && !m_quitWatcher) {
        gst::MessagePtr message(gst_bus_timed_pop_filtered(
            bus, GST_CLOCK_TIME_NONE,
            GstMessageType(GST_MESSAGE_EOS | GST_MESSAGE_ERROR | GST_MESSAGE_APPLICATION |
                           GST_MESSAGE_DURATION_CHANGED)));
        if (!message || GST_MESSAGE_TYPE(message.get()) == GST_MESSAGE_APPLICATION) {
            continue;
        }
        if (GST_MESSAGE_TYPE(message.get()) == GST_MESSAGE_DURATION_CHANGED) {
            m_pipeline.ForgetDuration();
        } else if (GST_MESSAGE_TYPE(message.get()) == GST_MESSAGE_EOS) {
            m_notifyWnd.PostMessage(CMediaTrackNotifyWnd::kTrackEndedMessage);
        } else {
            const gst::PipelineError error = gst::ErrorFromMessage(message.get());
            m_notifyWnd.PostError(std::make_unique<CDirectShowException>(CDirectShowException::Run,
                                                                         error.result, error.text));
        }
    }
}

void CDirectShowTrack::StopWatcher() {
    if (m_watcher.joinable()) {
        m_quitWatcher = true;
        // Wakes the watcher at once: closing the ended track is the first step of starting
        // the next one, which must not wait out a poll interval.
        if (m_watchedBus) {
            gst_bus_post(m_watchedBus.get(), gst_message_new_application(
                                                 nullptr, gst_structure_new_empty("tavi-wake")));
        }
        m_watcher.join();
        m_watchedBus.reset();
    }
}

// Taking the pipeline to NULL stops it from any state; rewinding first (as Stop does) would
// only make the output start over, which a file output would record. That happens on a
// worker: a pipeline stuck in a read (or still opening) would block in it.
void CDirectShowTrack::Close() {
    VideoWindowHost* host = m_videoShown ? videoWindowHost() : nullptr;
    if (host) {
        host->DetachTrack(this);
    }
    StopWatcher();
    // Detached first: nothing the pipeline renders while it is being stopped is heard.
    if (m_feed) {
        m_feed->Detach();
        m_feed.reset();
    }
    m_pipeline.Release();
    if (host) {
        host->DelayedHide(kHideDelayMs);
    }
    m_videoShown = false;
    m_state = Closed;
    CMediaTrack::Close();
}

void CDirectShowTrack::Play() {
    if (m_pipeline.IsOpening()) {
        m_state = Playing;
        return;
    }
    gst::PipelineError error;
    if (!m_pipeline.SetState(GST_STATE_PLAYING, &error)) {
        Throw(CDirectShowException::Run, error);
    }
    HoldQueuedSound(false);
    m_state = Playing;
}

void CDirectShowTrack::PlayRange(double from, double to) {
    if (m_pipeline.IsOpening()) {
        m_requestedStart = from;
        m_requestedStop = to;
        m_state = Playing;
        return;
    }
    if (!m_pipeline.Seek(from, to)) {
        throw CDirectShowException(
            CDirectShowException::SeekGraph, kFail,
            QCoreApplication::translate("CDirectShowTrack", "The position cannot be set."));
    }
    Play();
}

void CDirectShowTrack::Stop() {
    if (m_pipeline.IsOpening()) {
        m_requestedStart.reset();
        m_requestedStop.reset();
        m_state = Stopped;
        return;
    }
    m_pipeline.SetState(GST_STATE_PAUSED, nullptr);
    m_pipeline.Seek(0);  // its flush drops the sound queued in the output
    HoldQueuedSound(false);
    m_state = Stopped;
}

void CDirectShowTrack::Pause() {
    if (m_pipeline.IsOpening()) {
        m_state = Paused;
        return;
    }
    // Held first, so a feed waiting for room in the output lets its pipeline pause at once.
    HoldQueuedSound(true);
    gst::PipelineError error;
    if (!m_pipeline.SetState(GST_STATE_PAUSED, &error)) {
        HoldQueuedSound(false);
        Throw(CDirectShowException::PauseGraph, error);
    }
    m_state = Paused;
}

double CDirectShowTrack::GetPosition() {
    if (m_pipeline.IsOpening()) {
        return m_requestedStart.value_or(0.0);
    }
    if (const std::optional<double> heard = m_feed ? m_feed->HeardPosition() : std::nullopt) {
        return *heard;
    }
    return m_pipeline.Position().value_or(0.0);
}

double CDirectShowTrack::GetLength() {
    const auto duration = m_pipeline.Duration();
    if (!duration) {
        throw CDirectShowException(
            CDirectShowException::GetLength, kNoInterface,
            QCoreApplication::translate("CDirectShowTrack",
                                        "The length of this file cannot be determined."));
    }
    return *duration;
}

void CDirectShowTrack::Seek(double position) {
    if (m_pipeline.IsOpening()) {
        m_requestedStart = position;
        return;
    }
    if (!m_pipeline.Seek(position)) {
        throw CDirectShowException(
            CDirectShowException::SeekGraph, kFail,
            QCoreApplication::translate("CDirectShowTrack", "The position cannot be set."));
    }
}

// What a paused track had queued stays unheard until it plays on.
void CDirectShowTrack::HoldQueuedSound(bool held) {
    if (m_feed) {
        m_feed->Hold(held);
    }
}

std::chrono::milliseconds CDirectShowTrack::OpenWait() {
    return openWait.load();
}

void CDirectShowTrack::SetOpenWait(std::chrono::milliseconds wait) {
    openWait = wait;
}

double CDirectShowTrack::GainForHundredthsDb(long hundredths) {
    return std::pow(10.0, double(hundredths) / 2000.0);
}

long CDirectShowTrack::HundredthsDbForGain(double gain) {
    return gain <= 0 ? -10000 : std::lround(2000.0 * std::log10(gain));
}

void CDirectShowTrack::SetVolume(float level) {
    m_pipeline.SetVolume(GainForHundredthsDb(std::lround((double(level) - 1.0) * 4000.0)));
}

float CDirectShowTrack::GetVolume() {
    if (!HasVolume()) {
        return 0.0f;
    }
    const long hundredths = HundredthsDbForGain(m_pipeline.Volume());
    return hundredths < -4000 ? 0.0f : float(double(hundredths) / 4000.0 + 1.0);
}

void CMP3DirectShowTrack::Open(const QString& fileName) {
    m_lengthEstimated = false;
    m_estimatedLength.reset();
    CDirectShowTrack::Open(fileName);
}

double CMP3DirectShowTrack::GetLength() {
    if (IsOpening()) {
        return CDirectShowTrack::GetLength();  // unknown; a stalled file is not read here
    }
    if (const auto duration = m_pipeline.Duration()) {
        return *duration;
    }
    // Read once, and only for files whose decoder cannot tell: most files never need it.
    if (!m_lengthEstimated) {
        m_estimatedLength = EstimateMpegAudioFileLength(m_fileName);
        m_lengthEstimated = true;
    }
    if (m_estimatedLength) {
        return *m_estimatedLength;
    }
    return CDirectShowTrack::GetLength();  // throws: the length cannot be had
}

QStringList CDirectShowTrack::DecoderChain() const {
    if (UpperExtension(m_fileName) == QLatin1String(".WAV")) {
        return {QStringLiteral("wavparse")};
    }
    return {};
}

QStringList CMP3DirectShowTrack::DecoderChain() const {
    return {QStringLiteral("mpegaudioparse"), QStringLiteral("mpg123audiodec")};
}

}  // namespace tavi::engines
