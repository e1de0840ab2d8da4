// Any bytes, taken as a MIDI file by the sequencer device: the open either fails with an
// error number or gives a length within the limit, and a short play from the middle renders
// and halts (null output).
#include "platform/mci/MciCommands.h"
#include "platform/mci/midi/MidiFileScan.h"
#include "platform/mci/midi/SequencerDevice.h"

#include <cstdint>
#include <cstdlib>
#include <thread>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool environment = [] {
        setenv("TAVI_AUDIO_OUTPUT", "null", 1);
        setenv("GST_PLUGIN_SYSTEM_PATH_1_0", "/nonexistent", 1);
        return true;
    }();
    (void)environment;
    tavi::mci::SequencerDevice device;
    const uint32_t error =
        device.OpenBytes(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (error != 0) {
        return 0;
    }
    tavi::mci::MCI_STATUS_PARMS status;
    status.dwItem = tavi::mci::MCI_STATUS_LENGTH;
    if (device.Status(tavi::mci::MCI_STATUS_ITEM, &status) != 0 ||
        double(status.dwReturn) > tavi::mci::MidiFileScan::kMaxLengthMs + 1) {
        std::abort();
    }
    tavi::mci::MCI_PLAY_PARMS play;
    play.dwFrom = uint32_t(status.dwReturn / 2);
    device.Play(tavi::mci::MCI_FROM, play);
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    device.Stop();
    return 0;
}
