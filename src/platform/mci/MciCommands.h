#pragma once

#include "MciParms.h"

#include <functional>

namespace tavi::mci {

// Sends one command to an open device (MCI_OPEN opens one: the device type is the one the
// MCI extension table names for the element's extension, unless MCI_OPEN_TYPE names it).
// Returns 0 or an MCIERR_* number. A command other than MCI_PLAY sent with MCI_NOTIFY reports
// "successful" to its callback once done; MCI_PLAY reports when the play ends.
uint32_t mciSendCommand(DeviceId device, uint32_t message, uint32_t flags,
                        MCI_GENERIC_PARMS* parms);

// Sees every command sent to an open device (not MCI_OPEN), before it runs: for tests and
// diagnostics. Set it while no command runs.
using CommandTap = std::function<void(DeviceId device, uint32_t message, uint32_t flags)>;
void SetCommandTap(CommandTap tap);

// The wave output every device plays through has one volume: the left channel's word in
// the low 16 bits, the right one's in the high. MCI_STATUS_WAVE_OUTPUT answers its handle.
constexpr uintptr_t kWaveOutHandle = 1;
uint32_t waveOutGetVolume(uintptr_t handle, uint32_t* volume);
uint32_t waveOutSetVolume(uintptr_t handle, uint32_t volume);
uint32_t CurrentWaveVolume();

}  // namespace tavi::mci
