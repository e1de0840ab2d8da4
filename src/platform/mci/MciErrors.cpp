#include "MciErrors.h"

#include <array>
#include <utility>

namespace tavi::mci {

QString ErrorText(uint32_t errorCode) {
    // The numbers are the device layer's (base 256); the texts are our own.
    static const std::array<std::pair<uint32_t, const char*>, 31> kTexts{{
        {257, "The device identifier is not valid."},
        {259, "The device does not understand this command keyword."},
        {261, "The device does not understand this command."},
        {262, "The device reported a hardware error."},
        {263, "The device name is not valid."},
        {264, "There is not enough memory for this operation."},
        {265, "The device is already open by this program."},
        {266, "The device driver could not be loaded."},
        {273, "A parameter the command needs is missing."},
        {274, "The device does not support this function."},
        {275, "The file could not be found."},
        {276, "The device is not ready."},
        {277, "An internal error occurred in the device layer."},
        {278, "The device driver reported an error."},
        {281, "No device is registered for this file extension."},
        {282, "The position is outside the medium."},
        {288, "The device is in use by another program."},
        {289, "Another open device already uses this alias."},
        {292, "No device name was given."},
        {293, "The time format is not valid."},
        {296, "The file is damaged or not of a known kind."},
        {297, "The command was sent without its parameters."},
        {304, "A file name is required."},
        {306, "The device type registered for this file is not installed."},
        {310, "The device name is too long."},
        {330, "The medium cannot be read: no disc is in the drive."},
        {336, "The file counts its time in SMPTE frames, which the sequencer cannot play."},
        {343,
         "No General MIDI SoundFont was found. Name one in the \"MidiSoundFont\" setting "
         "or install /usr/share/sounds/sf2/TimGM6mb.sf2 (package timgm6mb-soundfont)."},
        {346, "The media device was unable to open the file."},
        {348, "The file could not be read."},
        {349, "The file could not be written."},
    }};
    for (const auto& [code, text] : kTexts) {
        if (code == errorCode) {
            return QString::fromLatin1(text);
        }
    }
    return {};
}

}  // namespace tavi::mci
