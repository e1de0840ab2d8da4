#include "MciCommands.h"

#include "MciDeviceTable.h"
#include "MciDeviceTypes.h"
#include "MciExtensions.h"

#include <atomic>

namespace tavi::mci {

namespace {

std::atomic<uint32_t> g_waveVolume = 0xFFFFFFFF;
CommandTap g_commandTap;

QString ExtensionOf(const QString& element) {
    const qsizetype slash = element.lastIndexOf(QLatin1Char('/'));
    const qsizetype dot = element.lastIndexOf(QLatin1Char('.'));
    return dot > slash ? element.mid(dot + 1) : QString();
}

uint32_t OpenDevice(uint32_t flags, MCI_OPEN_PARMS* parms) {
    const bool element = flags & MCI_OPEN_ELEMENT;
    if (element && parms->lpstrElementName.isEmpty()) {
        return MCIERR_FILENAME_REQUIRED;
    }
    if (!element && !(flags & MCI_OPEN_TYPE)) {
        return MCIERR_MISSING_PARAMETER;
    }
    const QString type = flags & MCI_OPEN_TYPE
                             ? parms->lpstrDeviceType
                             : GetMciDeviceTypeForExtension(ExtensionOf(parms->lpstrElementName));
    if (type.isEmpty()) {
        return MCIERR_EXTENSION_NOT_FOUND;
    }
    const bool aliased = flags & MCI_OPEN_ALIAS;
    MciDeviceTable& table = MciDeviceTable::instance();
    if (aliased && table.HasAlias(parms->lpstrAlias)) {
        return MCIERR_DUPLICATE_ALIAS;
    }
    std::shared_ptr<MciDevice> device = CreateDevice(type);
    if (!device) {
        return MCIERR_DEVICE_NOT_INSTALLED;
    }
    const DeviceId id = table.Reserve();
    device->SetId(id);
    if (const uint32_t error = device->Open(element ? parms->lpstrElementName : QString())) {
        return error;
    }
    table.Add(id, aliased ? parms->lpstrAlias : parms->lpstrElementName, std::move(device));
    parms->wDeviceID = id;
    return 0;
}

template <typename Parms>
const Parms* BlockOf(MCI_GENERIC_PARMS* parms) {
    return dynamic_cast<const Parms*>(parms);
}

// A play without from or to needs no more than the callback.
MCI_PLAY_PARMS PlainPlay(const MCI_GENERIC_PARMS& parms) {
    MCI_PLAY_PARMS play;
    play.dwCallback = parms.dwCallback;
    return play;
}

uint32_t Dispatch(MciDevice& device, uint32_t message, uint32_t flags, MCI_GENERIC_PARMS* parms) {
    switch (message) {
        case MCI_PLAY:
            if (const auto* play = BlockOf<MCI_PLAY_PARMS>(parms)) {
                return device.Play(flags, *play);
            }
            return flags & (MCI_FROM | MCI_TO) ? MCIERR_NULL_PARAMETER_BLOCK
                                               : device.Play(flags, PlainPlay(*parms));
        case MCI_SEEK:
            if (const auto* seek = BlockOf<MCI_SEEK_PARMS>(parms)) {
                return device.Seek(flags, *seek);
            }
            return flags & MCI_TO ? MCIERR_NULL_PARAMETER_BLOCK : device.Seek(flags, {});
        case MCI_STOP:
            return device.Stop();
        case MCI_PAUSE:
            return device.Pause();
        case MCI_RESUME:
            return device.Resume();
        case MCI_SET:
            if (const auto* set = BlockOf<MCI_SET_PARMS>(parms)) {
                return device.Set(flags, *set);
            }
            return MCIERR_NULL_PARAMETER_BLOCK;
        case MCI_STATUS:
            if (auto* status = dynamic_cast<MCI_STATUS_PARMS*>(parms)) {
                return device.Status(flags, status);
            }
            return MCIERR_NULL_PARAMETER_BLOCK;
        case MCI_WINDOW:
            if (const auto* window = BlockOf<MCI_DGV_WINDOW_PARMS>(parms)) {
                return device.Window(flags, *window);
            }
            return MCIERR_NULL_PARAMETER_BLOCK;
        default:
            return MCIERR_UNRECOGNIZED_COMMAND;
    }
}

}  // namespace

uint32_t mciSendCommand(DeviceId id, uint32_t message, uint32_t flags, MCI_GENERIC_PARMS* parms) {
    if (!parms) {
        return MCIERR_NULL_PARAMETER_BLOCK;
    }
    if (message != MCI_OPEN && g_commandTap) {
        g_commandTap(id, message, flags);
    }
    uint32_t result = 0;
    if (message == MCI_OPEN) {
        auto* open = dynamic_cast<MCI_OPEN_PARMS*>(parms);
        result = open ? OpenDevice(flags, open) : MCIERR_NULL_PARAMETER_BLOCK;
        id = open ? open->wDeviceID : 0;
    } else if (message == MCI_CLOSE) {
        result = MciDeviceTable::instance().Remove(id) ? 0 : MCIERR_INVALID_DEVICE_ID;
    } else if (std::shared_ptr<MciDevice> device = MciDeviceTable::instance().Find(id)) {
        result = Dispatch(*device, message, flags, parms);
    } else {
        result = MCIERR_INVALID_DEVICE_ID;
    }
    if (result == 0 && message != MCI_PLAY && (flags & MCI_NOTIFY) && parms->dwCallback) {
        parms->dwCallback(MCI_NOTIFY_SUCCESSFUL, id);
    }
    return result;
}

void SetCommandTap(CommandTap tap) {
    g_commandTap = std::move(tap);
}

uint32_t CurrentWaveVolume() {
    return g_waveVolume.load();
}

uint32_t waveOutGetVolume(uintptr_t handle, uint32_t* volume) {
    if (handle != kWaveOutHandle || !volume) {
        return MMSYSERR_INVALHANDLE;
    }
    *volume = g_waveVolume.load();
    return MMSYSERR_NOERROR;
}

uint32_t waveOutSetVolume(uintptr_t handle, uint32_t volume) {
    if (handle != kWaveOutHandle) {
        return MMSYSERR_INVALHANDLE;
    }
    g_waveVolume = volume;
    for (const std::shared_ptr<MciDevice>& device : MciDeviceTable::instance().All()) {
        device->OnWaveVolume(volume);
    }
    return MMSYSERR_NOERROR;
}

}  // namespace tavi::mci
