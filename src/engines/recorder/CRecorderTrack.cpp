#include "CRecorderTrack.h"

#include "engines/exceptions/CDirectShowException.h"
#include "platform/gst/CaptureDevices.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace tavi::engines {

namespace {
constexpr uint32_t kNoDevice = 0x80070015;  // the device is not ready
}  // namespace

CRecorderTrack::~CRecorderTrack() {
    if (m_state != Closed) {
        Close();
    }
}

double CRecorderTrack::LengthFromName(const QString& fileName) {
    // As "%ld" reads: optional blanks and sign, then digits; the rest of the name is ignored.
    const QByteArray base = QFileInfo(fileName).completeBaseName().toLatin1();
    char* end = nullptr;
    const long seconds = std::strtol(base.constData(), &end, 10);
    return end == base.constData() ? kDefaultLength : double(seconds);
}

void CRecorderTrack::Open(const QString& fileName) {
    m_length = LengthFromName(fileName);
    CDirectShowTrack::Open(fileName);
    m_watcher.Init(m_length, this);
}

gst::MediaPipeline::OpenResult CRecorderTrack::RenderPipeline(const QString&,
                                                              gst::PipelineError* error) {
    gst::CaptureDevice device{};
    gst::ElementPtr source = gst::CreateFirstCaptureSource(&device);
    if (!source) {
        throw CDirectShowException(
            CDirectShowException::RenderFile, kNoDevice,
            QCoreApplication::translate("CRecorderTrack", "No audio input device is available"));
    }
    m_deviceName = device.name;
    m_feed->SetLive(true);
    // A live source has nothing to preroll: the open ends when the device has started.
    return m_pipeline.OpenSource(std::move(source), OpenWait(),
                                 m_notifyWnd.MessagePoster(CMediaTrackNotifyWnd::kOpenEndedMessage),
                                 error);
}

void CRecorderTrack::Close() {
    if (m_state == Playing) {
        try {
            Stop();
        } catch (const errors::CException&) {
            // the device went away; closing goes on
        }
    }
    m_watcher.Close();
    CDirectShowTrack::Close();
}

void CRecorderTrack::PlayRange(double from, double to) {
    m_watcher.PlayRange(from, to);
    CDirectShowTrack::Play();
}

// Live input has no place to go back to: the graph only stops taking it in, and the
// volume is left at full for whatever plays next on this track.
void CRecorderTrack::Stop() {
    m_watcher.Stop();
    if (m_pipeline.IsRendered()) {
        m_pipeline.SetState(GST_STATE_PAUSED, nullptr);
    }
    SetVolume(1.0f);
    m_state = Stopped;
}

}  // namespace tavi::engines
