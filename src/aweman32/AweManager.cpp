// The sound-bank manager's one entry point. Messages: 101 opens a connection (its handle is
// stored at the first parameter), 204 loads the bank file of the bank-load block at the
// second parameter as bank 1, 205 clears bank 1, 102 closes the connection. 0 is success,
// anything else one of the manager's error codes.
#include "AweConnections.h"
#include "platform/mci/midi/FluidSynthLibrary.h"
#include "platform/mci/midi/SequencerBankHost.h"

#include <sys/stat.h>

#include <atomic>
#include <cstring>

namespace {

enum : uint32_t {
    kOpen = 101,
    kClose = 102,
    kLoadBank = 204,
    kClearBank = 205,
};
enum : uint32_t {
    DEVICE_DRV_INVALID = 101,
    USERID_INVALID = 102,
    SBANK_INVALID = 105,
    UBANK_INVALID = 106,
    PATHNAME_INVALID = 107,
    MSG_INVALID = 110,
};
constexpr uintptr_t kBank = 1;

std::atomic<const TaviSequencerHost*> g_host = nullptr;

// The 16-byte bank-load block: the path's size field, then its address. The address takes
// bytes 4-11, so that it fits a 64-bit pointer; on a 32-bit system bytes 8-11 are zero.
const char* BankPath(uintptr_t block) {
    if (block == 0) {
        return nullptr;
    }
    uint64_t address = 0;
    std::memcpy(&address, reinterpret_cast<const unsigned char*>(block) + 4, sizeof address);
    return reinterpret_cast<const char*>(uintptr_t(address));
}

fluid_synth_t* Synth(fluid_synth_t* (*choose)(void)) {
    const TaviSequencerHost* host = g_host.load();
    return host && host->version >= TAVI_SEQUENCER_HOST_VERSION ? choose() : nullptr;
}

uint32_t ClearBank(fluid_synth_t* synth) {
    const int font = aweman::connections().BankOf(synth);
    if (font >= 0) {
        tavi::mci::FluidSynth().fluid_synth_sfunload(synth, font, 1);
        aweman::connections().SetBank(synth, -1);
    }
    return 0;
}

uint32_t LoadBank(const char* path) {
    struct stat info {};
    if (!path || *path == '\0' || stat(path, &info) != 0 || !S_ISREG(info.st_mode)) {
        return PATHNAME_INVALID;
    }
    const TaviSequencerHost* host = g_host.load();
    fluid_synth_t* synth = host ? Synth(host->synthForBankLoad) : nullptr;
    if (!synth) {
        return DEVICE_DRV_INVALID;
    }
    // The synthesiser came from FluidSynth, so the library is there.
    if (!tavi::mci::FluidSynth().fluid_is_soundfont(path)) {
        return SBANK_INVALID;
    }
    ClearBank(synth);
    // Loaded last, the bank is searched first: its presets are laid over the default font's.
    const int font = tavi::mci::FluidSynth().fluid_synth_sfload(synth, path, 1);
    if (font == FLUID_FAILED) {
        return SBANK_INVALID;
    }
    aweman::connections().SetBank(synth, font);
    return 0;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) void AWEManagerAttachHost(
    const TaviSequencerHost* host) {
    g_host = host;
}

extern "C" __attribute__((visibility("default"))) uint32_t AWEManager(uintptr_t handle,
                                                                      uint32_t message,
                                                                      uintptr_t first,
                                                                      uintptr_t second) {
    if (message == kOpen) {
        if (first == 0) {
            return MSG_INVALID;
        }
        *reinterpret_cast<uintptr_t*>(first) = aweman::connections().Open();
        return 0;
    }
    if (!aweman::connections().IsOpen(handle)) {
        return USERID_INVALID;
    }
    switch (message) {
        case kClose:
            aweman::connections().Close(handle);
            return 0;
        case kLoadBank:
            return first != kBank ? UBANK_INVALID : LoadBank(BankPath(second));
        case kClearBank: {
            if (first != kBank) {
                return UBANK_INVALID;
            }
            const TaviSequencerHost* host = g_host.load();
            fluid_synth_t* synth = host ? Synth(host->synthForBankClear) : nullptr;
            return synth ? ClearBank(synth) : 0;
        }
        default:
            return MSG_INVALID;
    }
}
