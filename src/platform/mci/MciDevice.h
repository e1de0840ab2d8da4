#pragma once

#include "MciParms.h"

namespace tavi::mci {

// One open device of a registered type (waveaudio, mpegvideo, ...). The command layer checks
// the parameter blocks and hands each command to the device; every operation returns 0 or an
// MCIERR_* number. Commands come from one thread at a time; devices run their own workers.
class MciDevice {
public:
    virtual ~MciDevice() = default;

    // Called once, before anything else: the number commands name the device by.
    void SetId(DeviceId id) { m_id = id; }
    DeviceId Id() const { return m_id; }

    // Opens the element (a file name; empty for devices that need none).
    virtual uint32_t Open(const QString& element) = 0;
    virtual uint32_t Play(uint32_t flags, const MCI_PLAY_PARMS& parms) = 0;
    virtual uint32_t Seek(uint32_t flags, const MCI_SEEK_PARMS& parms) = 0;
    virtual uint32_t Stop() = 0;
    virtual uint32_t Pause() = 0;
    virtual uint32_t Resume() = 0;
    virtual uint32_t Set(uint32_t flags, const MCI_SET_PARMS& parms) = 0;
    virtual uint32_t Status(uint32_t flags, MCI_STATUS_PARMS* parms) = 0;
    // Devices without a picture have no window.
    virtual uint32_t Window(uint32_t /*flags*/, const MCI_DGV_WINDOW_PARMS& /*parms*/) {
        return MCIERR_UNSUPPORTED_FUNCTION;
    }
    // The wave output's volume changed (left word | right word << 16): devices that play
    // through it apply it.
    virtual void OnWaveVolume(uint32_t /*volume*/) {}

private:
    DeviceId m_id = 0;
};

}  // namespace tavi::mci
