#include "CCDTrack.h"

#include "engines/exceptions/CMCIException.h"
#include "platform/mci/MciCommands.h"

#include <QFileInfo>

#include <algorithm>

namespace tavi::engines {

namespace {

// Disc seconds to the device's milliseconds. The sum of a track's start and length, each
// read as whole milliseconds, must give back the whole millisecond it stands for.
uint32_t DiscMilliseconds(double seconds) {
    return uint32_t(std::clamp(seconds * 1000.0 + 1e-6, 0.0, 4294967295.0));
}

}  // namespace

CCDTrack::~CCDTrack() {
    Close();
}

int CCDTrack::TrackNumberOf(const QString& fileName) {
    const QString base = QFileInfo(fileName).completeBaseName();
    if (base.size() < 2) {
        return 1;
    }
    bool number = false;
    const int track = base.right(2).toInt(&number);
    return number ? track : 1;
}

QString CCDTrack::DriveOf(const QString& fileName) {
    const qsizetype slash = fileName.lastIndexOf(QLatin1Char('/'));
    return slash > 0 ? fileName.left(slash) : QString();
}

void CCDTrack::Open(const QString& fileName) {
    CMediaTrack::Open(fileName);
    m_trackNumber = TrackNumberOf(fileName);
    m_paused = false;
    m_device.OpenType(QStringLiteral("cdaudio"), DriveOf(fileName),
                      mci::MCI_WAIT | mci::MCI_OPEN_SHAREABLE | mci::MCI_OPEN_TYPE_ID);
    m_device.SetMillisecondTimeFormat();
    // A play fails when the disc cannot be read (it left, or is damaged): the owner is told
    // so, not just that something failed.
    const std::function<void(uintptr_t)> post =
        m_notifyWnd.ParamPoster(CMediaTrackNotifyWnd::kMciNotifyMessage);
    const auto postError = m_notifyWnd.ErrorPoster();
    m_device.SetCallbackWindow([post, postError](uint32_t code, mci::DeviceId) {
        if (code == CMediaTrackNotifyWnd::kMciNotifyFailure) {
            postError(std::make_unique<CMCIException>(mci::MCI_PLAY, mci::MCIERR_DEVICE_NOT_READY));
        } else {
            post(code);
        }
    });
    m_length = QueryTrackItem(mci::MCI_STATUS_LENGTH) / 1000.0;
    m_trackStart = QueryTrackItem(mci::MCI_STATUS_POSITION) / 1000.0;
    if (CMCITrack::IsPlaying()) {
        CMCITrack::Stop();
    }
    ProbeCdLine();
}

uint32_t CCDTrack::QueryTrackItem(uint32_t item) {
    mci::MCI_STATUS_PARMS parms;
    parms.dwItem = item;
    parms.dwTrack = uint32_t(m_trackNumber);
    m_device.SendCommand(mci::MCI_STATUS, mci::MCI_STATUS_ITEM | mci::MCI_TRACK, &parms);
    return uint32_t(parms.dwReturn);
}

// Without a mixer, or one without a "CD" line, the track has no volume.
void CCDTrack::ProbeCdLine() {
    m_volumeAvailable = false;
    try {
        m_mixer.OpenMixer(0);
        const mixer::MixerLine line = m_mixer.GetLineByName(QStringLiteral("CD"));
        m_volumeControl =
            m_mixer.GetControlByType(line.lineId, mixer::CMixer::kVolumeControlType).controlId;
        const uint32_t value = m_mixer.GetControlDetails(m_volumeControl);
        if (value != 0) {
            m_volumeAvailable = true;
            m_initialVolume = value;
            m_volumeChanged = false;
        }
    } catch (const mixer::CMixerException&) {
    }
}

void CCDTrack::Close() {
    if (m_device.GetDeviceId() != 0) {
        try {
            if (m_paused || CMCITrack::IsPlaying()) {
                m_device.SendCommand(mci::MCI_STOP, 0);
            }
        } catch (const errors::CException&) {
        }
    }
    m_paused = false;
    CMCITrack::Close();  // restores the CD line's volume when it was changed
    m_volumeChanged = false;
    try {
        m_mixer.CloseMixer();
    } catch (const mixer::CMixerException&) {
    }
}

void CCDTrack::Play() {
    PlayRange(GetPosition(), GetLength());
}

void CCDTrack::PlayRange(double from, double to) {
    m_device.PlayFromTo(mci::MCI_NOTIFY, DiscMilliseconds(m_trackStart + from),
                        DiscMilliseconds(m_trackStart + to));
    m_paused = false;
}

void CCDTrack::Pause() {
    m_device.SendCommand(mci::MCI_PAUSE, 0);
    m_paused = true;
}

void CCDTrack::Resume() {
    Play();
}

double CCDTrack::GetPosition() {
    const double disc = m_device.QueryPosition() / 1000.0;
    return m_trackStart <= disc ? disc - m_trackStart : 0.0;
}

void CCDTrack::Seek(double position) {
    position = std::clamp(position, 0.0, m_length);
    if (CMCITrack::IsPlaying()) {
        PlayRange(position, m_length);
        return;
    }
    m_device.SeekTo(DiscMilliseconds(m_trackStart + position));
}

void CCDTrack::SetVolume(float level) {
    try {
        const double value = std::clamp(double(level) * m_initialVolume + 0.5, 0.0,
                                        double(mixer::CMixer::kMaxValue));
        m_mixer.SetControlDetails(m_volumeControl, uint32_t(value));
        m_volumeChanged = true;
    } catch (const mixer::CMixerException&) {
        m_volumeAvailable = false;
        throw;
    }
}

float CCDTrack::GetVolume() {
    if (!HasVolume() || m_initialVolume == 0) {
        return 0.0f;
    }
    try {
        return std::min(1.0f,
                        float(m_mixer.GetControlDetails(m_volumeControl)) / float(m_initialVolume));
    } catch (const mixer::CMixerException&) {
        m_volumeAvailable = false;
        throw;
    }
}

}  // namespace tavi::engines
