#include "CMCITrack.h"

#include "SharedOutputForMci.h"
#include "app/settings/ViewSettings.h"
#include "engines/exceptions/CMCIException.h"
#include "platform/mci/MciCommands.h"

#include <QFileInfo>

#include <algorithm>

namespace tavi::engines {

namespace {

// Seconds to the device's milliseconds; times before the start are the start.
uint32_t Milliseconds(double seconds) {
    return uint32_t(std::clamp(seconds * 1000.0, 0.0, 4294967295.0));
}

}  // namespace

CMCITrack::CMCITrack() {
    m_length = -1.0;
}

CMCITrack::~CMCITrack() {
    Close();
}

void CMCITrack::Open(const QString& fileName) {
    CMediaTrack::Open(fileName);
    UseConfiguredOutputForMci();
    m_device.OpenElement(fileName, 0);
    m_device.SetMillisecondTimeFormat();
    const std::function<void(uintptr_t)> post =
        m_notifyWnd.ParamPoster(CMediaTrackNotifyWnd::kMciNotifyMessage);
    m_device.SetCallbackWindow([post](uint32_t code, mci::DeviceId) { post(code); });
    ShowWindow(fileName);
    ProbeVolume();
    m_length = -1.0;
}

// A device without a picture has no window: that is no failure.
void CMCITrack::ShowWindow(const QString& fileName) {
    mci::MCI_DGV_WINDOW_PARMS parms;
    const uint32_t videoMode = settings::viewSettings().videoMode;
    parms.nCmdShow = videoMode == 2 || videoMode == 3 ? mci::SW_MAXIMIZE : mci::SW_SHOWNORMAL;
    parms.lpstrText = QFileInfo(fileName).completeBaseName();
    try {
        m_device.SendCommand(mci::MCI_WINDOW, mci::MCI_DGV_WINDOW_STATE | mci::MCI_DGV_WINDOW_TEXT,
                             &parms);
    } catch (const CMCIException&) {
    }
}

// A device without a wave output, or one turned all the way down, has no volume to scale.
void CMCITrack::ProbeVolume() {
    m_volumeAvailable = false;
    try {
        uint32_t volume = 0;
        if (mci::waveOutGetVolume(WaveOutputHandle(), &volume) == mci::MMSYSERR_NOERROR &&
            (volume & 0xFFFF) != 0) {
            m_initialVolume = volume & 0xFFFF;
            m_volumeAvailable = true;
            m_volumeChanged = false;
        }
    } catch (const CMCIException&) {
    }
}

bool CMCITrack::OpenAhead(const QString& fileName) {
    Open(fileName);
    return true;
}

uintptr_t CMCITrack::WaveOutputHandle() {
    mci::MCI_STATUS_PARMS parms;
    parms.dwItem = mci::MCI_STATUS_WAVE_OUTPUT;
    m_device.SendCommand(mci::MCI_STATUS, mci::MCI_STATUS_ITEM, &parms);
    return parms.dwReturn;
}

void CMCITrack::Close() {
    if (m_device.GetDeviceId() != 0) {
        try {
            if (IsPlaying()) {
                Stop();
            }
            if (HasVolume() && m_volumeChanged) {
                SetVolume(1.0f);
            }
        } catch (const errors::CException&) {
        }
        try {
            m_device.CloseDevice(mci::MCI_WAIT);
        } catch (const errors::CException&) {
        }
    }
    CMediaTrack::Close();
}

void CMCITrack::Play() {
    m_device.SendCommand(mci::MCI_PLAY, mci::MCI_NOTIFY);
}

void CMCITrack::PlayRange(double from, double to) {
    m_device.PlayFromTo(mci::MCI_NOTIFY, Milliseconds(from), Milliseconds(to));
}

void CMCITrack::Stop() {
    if (IsPlaying() || IsPaused()) {
        m_device.SendCommand(mci::MCI_STOP, 0);
    }
}

void CMCITrack::Pause() {
    m_device.SendCommand(mci::MCI_PAUSE, 0);
}

void CMCITrack::Resume() {
    m_device.SendCommand(mci::MCI_RESUME, 0);
}

// A stopped device answers "stop"; "open" (a CD drive's open door) is no less stopped.
bool CMCITrack::IsStopped() {
    const uint32_t mode = m_device.QueryMode();
    return mode == mci::MCI_MODE_STOP || mode == mci::MCI_MODE_OPEN;
}

bool CMCITrack::IsPaused() {
    return m_device.QueryMode() == mci::MCI_MODE_PAUSE;
}

bool CMCITrack::IsPlaying() {
    return m_device.QueryMode() == mci::MCI_MODE_PLAY;
}

double CMCITrack::GetPosition() {
    return m_device.QueryPosition() / 1000.0;
}

double CMCITrack::GetLength() {
    if (m_length == -1.0) {
        m_length = m_device.QueryLength() / 1000.0;
    }
    return m_length;
}

// Playing: plays on from there (the old notice is superseded). Stopped: moves.
void CMCITrack::Seek(double position) {
    if (IsPlaying()) {
        position = std::max(position, 0.0);
        if (position > GetLength()) {
            position = GetLength() - 1.0;
        }
        m_device.PlayFrom(mci::MCI_NOTIFY, Milliseconds(position));
        return;
    }
    if (position <= 0.0) {
        m_device.SendCommand(mci::MCI_SEEK, mci::MCI_SEEK_TO_START);
    } else if (position >= GetLength()) {
        m_device.SendCommand(mci::MCI_SEEK, mci::MCI_SEEK_TO_END);
    } else {
        m_device.SeekTo(Milliseconds(position));
    }
}

void CMCITrack::SetVolume(float level) {
    try {
        const uintptr_t handle = WaveOutputHandle();
        const double word = std::clamp(double(level) * m_initialVolume + 0.5, 0.0, 65535.0);
        mci::waveOutSetVolume(handle, uint32_t(word) * 0x10001u);
    } catch (const errors::CException&) {
    }
}

float CMCITrack::GetVolume() {
    try {
        uint32_t volume = 0;
        if (m_initialVolume == 0 ||
            mci::waveOutGetVolume(WaveOutputHandle(), &volume) != mci::MMSYSERR_NOERROR) {
            return 0.0f;
        }
        return std::min(1.0f, float(volume & 0xFFFF) / float(m_initialVolume));
    } catch (const errors::CException&) {
        return 0.0f;
    }
}

}  // namespace tavi::engines
