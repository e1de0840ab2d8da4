#pragma once

#include <cstdint>

// The media-control vocabulary: command messages, flags, status items, modes, notification
// codes and error numbers, with the values the engines were designed around.
namespace tavi::mci {

using DeviceId = uint16_t;

// Command messages.
constexpr uint32_t MCI_OPEN = 0x0803;
constexpr uint32_t MCI_CLOSE = 0x0804;
constexpr uint32_t MCI_PLAY = 0x0806;
constexpr uint32_t MCI_SEEK = 0x0807;
constexpr uint32_t MCI_STOP = 0x0808;
constexpr uint32_t MCI_PAUSE = 0x0809;
constexpr uint32_t MCI_SET = 0x080D;
constexpr uint32_t MCI_STATUS = 0x0814;
constexpr uint32_t MCI_WINDOW = 0x0841;
constexpr uint32_t MCI_RESUME = 0x0855;

// Flags every command understands.
constexpr uint32_t MCI_NOTIFY = 0x00000001;
constexpr uint32_t MCI_WAIT = 0x00000002;
constexpr uint32_t MCI_FROM = 0x00000004;
constexpr uint32_t MCI_TO = 0x00000008;

// MCI_OPEN flags.
constexpr uint32_t MCI_OPEN_ELEMENT = 0x00000200;
constexpr uint32_t MCI_OPEN_ALIAS = 0x00000400;
constexpr uint32_t MCI_OPEN_SHAREABLE = 0x00000100;
constexpr uint32_t MCI_OPEN_TYPE_ID = 0x00001000;
constexpr uint32_t MCI_OPEN_TYPE = 0x00002000;
constexpr uint32_t MCI_DEVTYPE_CD_AUDIO = 516;

// MCI_SEEK flags.
constexpr uint32_t MCI_SEEK_TO_START = 0x00000100;
constexpr uint32_t MCI_SEEK_TO_END = 0x00000200;

// MCI_SET flags and time formats.
constexpr uint32_t MCI_SET_TIME_FORMAT = 0x00000400;
constexpr uint32_t MCI_FORMAT_MILLISECONDS = 0;
constexpr uint32_t MCI_SET_DOOR_OPEN = 0x00000100;
constexpr uint32_t MCI_SET_DOOR_CLOSED = 0x00000200;

// MCI_STATUS flags and items.
constexpr uint32_t MCI_STATUS_ITEM = 0x00000100;
constexpr uint32_t MCI_STATUS_LENGTH = 0x00000001;
constexpr uint32_t MCI_STATUS_POSITION = 0x00000002;
constexpr uint32_t MCI_STATUS_MODE = 0x00000004;
constexpr uint32_t MCI_STATUS_NUMBER_OF_TRACKS = 0x00000003;
constexpr uint32_t MCI_STATUS_MEDIA_PRESENT = 0x00000005;
// MCI_STATUS flag: the length or position item is asked of one track (dwTrack).
constexpr uint32_t MCI_TRACK = 0x00000010;
// Answered with a handle to the device's wave output (WaveOutGetVolume/WaveOutSetVolume).
constexpr uint32_t MCI_STATUS_WAVE_OUTPUT = 0x00800000;

// MCI_WINDOW flags and window states.
constexpr uint32_t MCI_DGV_WINDOW_STATE = 0x00040000;
constexpr uint32_t MCI_DGV_WINDOW_TEXT = 0x00080000;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_MAXIMIZE = 3;

// Modes (MCI_STATUS_MODE).
constexpr uint32_t MCI_MODE_NOT_READY = 524;
constexpr uint32_t MCI_MODE_STOP = 525;
constexpr uint32_t MCI_MODE_PLAY = 526;
constexpr uint32_t MCI_MODE_RECORD = 527;
constexpr uint32_t MCI_MODE_SEEK = 528;
constexpr uint32_t MCI_MODE_PAUSE = 529;
constexpr uint32_t MCI_MODE_OPEN = 530;

// Notification codes, delivered to a command's callback.
constexpr uint32_t MCI_NOTIFY_SUCCESSFUL = 1;
constexpr uint32_t MCI_NOTIFY_SUPERSEDED = 2;
constexpr uint32_t MCI_NOTIFY_ABORTED = 4;
constexpr uint32_t MCI_NOTIFY_FAILURE = 8;

// Error numbers (0 is success).
constexpr uint32_t MCIERR_BASE = 256;
constexpr uint32_t MCIERR_INVALID_DEVICE_ID = MCIERR_BASE + 1;
constexpr uint32_t MCIERR_UNRECOGNIZED_COMMAND = MCIERR_BASE + 5;
constexpr uint32_t MCIERR_HARDWARE = MCIERR_BASE + 6;
constexpr uint32_t MCIERR_OUT_OF_MEMORY = MCIERR_BASE + 8;
constexpr uint32_t MCIERR_MISSING_PARAMETER = MCIERR_BASE + 17;
constexpr uint32_t MCIERR_UNSUPPORTED_FUNCTION = MCIERR_BASE + 18;
constexpr uint32_t MCIERR_FILE_NOT_FOUND = MCIERR_BASE + 19;
constexpr uint32_t MCIERR_DEVICE_NOT_READY = MCIERR_BASE + 20;
constexpr uint32_t MCIERR_INTERNAL = MCIERR_BASE + 21;
constexpr uint32_t MCIERR_DRIVER = MCIERR_BASE + 22;
constexpr uint32_t MCIERR_CANNOT_LOAD_DRIVER = MCIERR_BASE + 10;
constexpr uint32_t MCIERR_EXTENSION_NOT_FOUND = MCIERR_BASE + 25;
constexpr uint32_t MCIERR_OUTOFRANGE = MCIERR_BASE + 26;
constexpr uint32_t MCIERR_DUPLICATE_ALIAS = MCIERR_BASE + 33;
constexpr uint32_t MCIERR_BAD_TIME_FORMAT = MCIERR_BASE + 37;
constexpr uint32_t MCIERR_INVALID_FILE = MCIERR_BASE + 40;
constexpr uint32_t MCIERR_NULL_PARAMETER_BLOCK = MCIERR_BASE + 41;
constexpr uint32_t MCIERR_FILENAME_REQUIRED = MCIERR_BASE + 48;
constexpr uint32_t MCIERR_DEVICE_NOT_INSTALLED = MCIERR_BASE + 50;
constexpr uint32_t MCIERR_FILE_READ = MCIERR_BASE + 92;
// The sequencer's own: a time division it cannot play, no synthesiser sound to play with.
constexpr uint32_t MCIERR_SEQ_DIV_INCOMPATIBLE = MCIERR_BASE + 80;
constexpr uint32_t MCIERR_SEQ_NOMIDIPRESENT = MCIERR_BASE + 87;

// Results of the wave-output volume calls.
constexpr uint32_t MMSYSERR_NOERROR = 0;
constexpr uint32_t MMSYSERR_INVALHANDLE = 5;

}  // namespace tavi::mci
