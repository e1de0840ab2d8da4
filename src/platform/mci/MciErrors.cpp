#include "MciErrors.h"

#include <QCoreApplication>
#include <array>
#include <utility>

namespace tavi::mci {

QString ErrorText(uint32_t errorCode) {
    // The numbers are the device layer's (base 256); the texts are our own.
    static const std::array<std::pair<uint32_t, const char*>, 31> kTexts{{
        {257, QT_TRANSLATE_NOOP("MciErrors", "The device identifier is not valid.")},
        {259,
         QT_TRANSLATE_NOOP("MciErrors", "The device does not understand this command keyword.")},
        {261, QT_TRANSLATE_NOOP("MciErrors", "The device does not understand this command.")},
        {262, QT_TRANSLATE_NOOP("MciErrors", "The device reported a hardware error.")},
        {263, QT_TRANSLATE_NOOP("MciErrors", "The device name is not valid.")},
        {264, QT_TRANSLATE_NOOP("MciErrors", "There is not enough memory for this operation.")},
        {265, QT_TRANSLATE_NOOP("MciErrors", "The device is already open by this program.")},
        {266, QT_TRANSLATE_NOOP("MciErrors", "The device driver could not be loaded.")},
        {273, QT_TRANSLATE_NOOP("MciErrors", "A parameter the command needs is missing.")},
        {274, QT_TRANSLATE_NOOP("MciErrors", "The device does not support this function.")},
        {275, QT_TRANSLATE_NOOP("MciErrors", "The file could not be found.")},
        {276, QT_TRANSLATE_NOOP("MciErrors", "The device is not ready.")},
        {277, QT_TRANSLATE_NOOP("MciErrors", "An internal error occurred in the device layer.")},
        {278, QT_TRANSLATE_NOOP("MciErrors", "The device driver reported an error.")},
        {281, QT_TRANSLATE_NOOP("MciErrors", "No device is registered for this file extension.")},
        {282, QT_TRANSLATE_NOOP("MciErrors", "The position is outside the medium.")},
        {288, QT_TRANSLATE_NOOP("MciErrors", "The device is in use by another program.")},
        {289, QT_TRANSLATE_NOOP("MciErrors", "Another open device already uses this alias.")},
        {292, QT_TRANSLATE_NOOP("MciErrors", "No device name was given.")},
        {293, QT_TRANSLATE_NOOP("MciErrors", "The time format is not valid.")},
        {296, QT_TRANSLATE_NOOP("MciErrors", "The file is damaged or not of a known kind.")},
        {297, QT_TRANSLATE_NOOP("MciErrors", "The command was sent without its parameters.")},
        {304, QT_TRANSLATE_NOOP("MciErrors", "A file name is required.")},
        {306, QT_TRANSLATE_NOOP("MciErrors",
                                "The device type registered for this file is not installed.")},
        {310, QT_TRANSLATE_NOOP("MciErrors", "The device name is too long.")},
        {330,
         QT_TRANSLATE_NOOP("MciErrors", "The medium cannot be read: no disc is in the drive.")},
        {336, QT_TRANSLATE_NOOP(
                  "MciErrors",
                  "The file counts its time in SMPTE frames, which the sequencer cannot play.")},
        {343, QT_TRANSLATE_NOOP(
                  "MciErrors",
                  "No General MIDI SoundFont was found. Name one in the \"MidiSoundFont\" setting "
                  "or install /usr/share/sounds/sf2/TimGM6mb.sf2 (package timgm6mb-soundfont).")},
        {346, QT_TRANSLATE_NOOP("MciErrors", "The media device was unable to open the file.")},
        {348, QT_TRANSLATE_NOOP("MciErrors", "The file could not be read.")},
        {349, QT_TRANSLATE_NOOP("MciErrors", "The file could not be written.")},
    }};
    for (const auto& [code, text] : kTexts) {
        if (code == errorCode) {
            return QCoreApplication::translate("MciErrors", text);
        }
    }
    return {};
}

}  // namespace tavi::mci
