#include "CMixer.h"

#include <alsa/asoundlib.h>

#include <algorithm>
#include <cmath>

namespace tavi::mixer {

namespace {

// ALSA prints its own diagnostics on stderr; the caller reports failures itself.
void silentAlsaErrors(const char*, int, const char*, int, const char*, ...) {}

uint32_t resultForAlsaError(int error) {
    switch (-error) {
        case ENOMEM:
            return MMSYSERR_NOMEM;
        case EBUSY:
            return MMSYSERR_ALLOCATED;
        case EINVAL:
            return MMSYSERR_INVALPARAM;
        default:
            return MMSYSERR_NODRIVER;
    }
}

void check(int result) {
    if (result < 0) {
        throw CMixerException(resultForAlsaError(result));
    }
}

uint32_t toMixerValue(long raw, long minimum, long maximum) {
    if (maximum <= minimum) {
        return 0;
    }
    const double scaled = double(raw - minimum) * CMixer::kMaxValue / double(maximum - minimum);
    return static_cast<uint32_t>(std::clamp(std::lround(scaled), 0L, long(CMixer::kMaxValue)));
}

long toElementValue(uint32_t value, long minimum, long maximum) {
    const double scaled =
        double(std::min(value, CMixer::kMaxValue)) * double(maximum - minimum) / CMixer::kMaxValue;
    return minimum + std::lround(scaled);
}

}  // namespace

CMixer::CMixer() {
    snd_lib_error_set_handler(&silentAlsaErrors);
}

CMixer::~CMixer() {
    try {
        CloseMixer();
    } catch (...) {
    }
}

void CMixer::OpenMixer(uint32_t deviceId, uint32_t openFlags) {
    if (openFlags != kOpenNoCallback && openFlags != 0) {
        throw CMixerException(MMSYSERR_INVALFLAG);
    }
    CloseMixer();
    m_deviceName =
        deviceId == 0 ? QStringLiteral("default") : QStringLiteral("hw:%1").arg(deviceId - 1);
    snd_mixer_t* handle = nullptr;
    check(snd_mixer_open(&handle, 0));
    const int attached = snd_mixer_attach(handle, m_deviceName.toLatin1().constData());
    if (attached < 0) {
        snd_mixer_close(handle);
        throw CMixerException(deviceId == 0 ? MMSYSERR_NODRIVER : MMSYSERR_BADDEVICEID);
    }
    if (snd_mixer_selem_register(handle, nullptr, nullptr) < 0 || snd_mixer_load(handle) < 0) {
        snd_mixer_close(handle);
        throw CMixerException(MMSYSERR_NODRIVER);
    }
    m_handle = handle;
    for (snd_mixer_elem_t* e = snd_mixer_first_elem(handle); e; e = snd_mixer_elem_next(e)) {
        if (snd_mixer_selem_is_active(e) && snd_mixer_selem_has_playback_volume(e)) {
            m_lines.push_back(e);
        }
    }
}

void CMixer::CloseMixer() {
    if (m_handle) {
        m_lines.clear();
        snd_mixer_t* handle = m_handle;
        m_handle = nullptr;
        check(snd_mixer_close(handle));
    }
}

void CMixer::RequireOpen() const {
    if (!m_handle) {
        throw CMixerException(MMSYSERR_INVALHANDLE);
    }
}

MixerLine CMixer::GetLineInfo(uint32_t destination) {
    RequireOpen();
    if (destination != 0 || m_lines.empty()) {
        throw CMixerException(MIXERR_INVALLINE);
    }
    const auto master = std::find_if(m_lines.begin(), m_lines.end(), [](snd_mixer_elem_t* e) {
        return qstrcmp(snd_mixer_selem_get_name(e), "Master") == 0;
    });
    const auto chosen = master != m_lines.end() ? master : m_lines.begin();
    const auto lineId = static_cast<uint32_t>(chosen - m_lines.begin());
    return {lineId, destination, QString::fromUtf8(snd_mixer_selem_get_name(*chosen)), 1};
}

MixerLine CMixer::GetLineByName(const QString& name) {
    RequireOpen();
    for (uint32_t i = 0; i < m_lines.size(); ++i) {
        if (QString::fromUtf8(snd_mixer_selem_get_name(m_lines[i])) == name) {
            return {i, 0, name, 1};
        }
    }
    throw CMixerException(MIXERR_INVALLINE);
}

MixerControl CMixer::GetControlByType(uint32_t lineId, uint32_t controlType) {
    RequireOpen();
    if (lineId >= m_lines.size()) {
        throw CMixerException(MIXERR_INVALLINE);
    }
    if (controlType != kVolumeControlType) {
        throw CMixerException(MIXERR_INVALCONTROL);
    }
    return {lineId, controlType, 0, kMaxValue};
}

MixerControl CMixer::GetControlById(uint32_t controlId) {
    ElementForControl(controlId);
    return {controlId, kVolumeControlType, 0, kMaxValue};
}

snd_mixer_elem_t* CMixer::ElementForControl(uint32_t controlId) {
    RequireOpen();
    if (controlId >= m_lines.size()) {
        throw CMixerException(MIXERR_INVALCONTROL);
    }
    // Picks up changes other programs made since the last call.
    snd_mixer_handle_events(m_handle);
    return m_lines[controlId];
}

uint32_t CMixer::GetControlDetails(uint32_t controlId) {
    snd_mixer_elem_t* element = ElementForControl(controlId);
    long minimum = 0;
    long maximum = 0;
    check(snd_mixer_selem_get_playback_volume_range(element, &minimum, &maximum));
    // One value for all channels, as a uniform control reads: the loudest channel.
    long loudest = minimum;
    for (int channel = 0; channel <= SND_MIXER_SCHN_LAST; ++channel) {
        const auto id = static_cast<snd_mixer_selem_channel_id_t>(channel);
        long raw = 0;
        if (snd_mixer_selem_has_playback_channel(element, id) &&
            snd_mixer_selem_get_playback_volume(element, id, &raw) == 0) {
            loudest = std::max(loudest, raw);
        }
    }
    return toMixerValue(loudest, minimum, maximum);
}

void CMixer::SetControlDetails(uint32_t controlId, uint32_t value) {
    snd_mixer_elem_t* element = ElementForControl(controlId);
    long minimum = 0;
    long maximum = 0;
    check(snd_mixer_selem_get_playback_volume_range(element, &minimum, &maximum));
    check(
        snd_mixer_selem_set_playback_volume_all(element, toElementValue(value, minimum, maximum)));
}

MasterVolume::MasterVolume() {
    m_mixer.OpenMixer(0, CMixer::kOpenNoCallback);
    const MixerLine line = m_mixer.GetLineInfo(0);
    m_controlId = m_mixer.GetControlByType(line.lineId, CMixer::kVolumeControlType).controlId;
}

uint32_t MasterVolume::Get() {
    return m_mixer.GetControlDetails(m_controlId);
}

void MasterVolume::Set(uint32_t value) {
    m_mixer.SetControlDetails(m_controlId, value);
}

}  // namespace tavi::mixer
