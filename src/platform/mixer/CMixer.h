#pragma once

#include "CMixerException.h"

#include <QString>

#include <cstdint>
#include <vector>

typedef struct _snd_mixer snd_mixer_t;
typedef struct _snd_mixer_elem snd_mixer_elem_t;

namespace tavi::mixer {

// One line of the mixer: a simple ALSA element with a playback volume.
struct MixerLine {
    uint32_t lineId = 0;
    uint32_t destination = 0;
    QString name;
    uint32_t controlCount = 0;
};

struct MixerControl {
    uint32_t controlId = 0;
    uint32_t controlType = 0;
    uint32_t minimum = 0;
    uint32_t maximum = 65535;
};

// The sound card's mixer over ALSA's simple-mixer interface. Device 0 is the "default"
// device (the sound server's mixer where one runs), device n > 0 the card hw:n-1.
// Destination 0 is the "Master" element (else the first element with a playback volume);
// its volume control reads and writes 0..65535 whatever the element's own range. Every
// failure throws CMixerException with the multimedia result code.
class CMixer {
public:
    static constexpr uint32_t kVolumeControlType = 0x50030001;  // MIXERCONTROL_CONTROLTYPE_VOLUME
    static constexpr uint32_t kOpenNoCallback = 0x80000000;
    static constexpr uint32_t kMaxValue = 65535;

    CMixer();
    ~CMixer();  // closes the device; a failure is swallowed
    CMixer(const CMixer&) = delete;
    CMixer& operator=(const CMixer&) = delete;

    void OpenMixer(uint32_t deviceId, uint32_t openFlags = kOpenNoCallback);
    void CloseMixer();
    bool IsOpen() const { return m_handle != nullptr; }
    const QString& GetDeviceName() const { return m_deviceName; }

    MixerLine GetLineInfo(uint32_t destination);
    // A source line by its element name, e.g. "CD" for the compact-disc line.
    MixerLine GetLineByName(const QString& name);
    MixerControl GetControlByType(uint32_t lineId, uint32_t controlType);
    MixerControl GetControlById(uint32_t controlId);
    uint32_t GetControlDetails(uint32_t controlId);
    void SetControlDetails(uint32_t controlId, uint32_t value);

private:
    snd_mixer_elem_t* ElementForControl(uint32_t controlId);
    void RequireOpen() const;

    snd_mixer_t* m_handle = nullptr;
    QString m_deviceName;
    std::vector<snd_mixer_elem_t*> m_lines;  // line id = index; control id = line id
};

// The master volume as the player uses it: device 0, destination 0, its volume control.
class MasterVolume {
public:
    MasterVolume();  // opens; throws CMixerException
    uint32_t Get();
    void Set(uint32_t value);

private:
    CMixer m_mixer;
    uint32_t m_controlId = 0;
};

}  // namespace tavi::mixer
