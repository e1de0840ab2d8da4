#pragma once

#include <QString>

#include <cstdint>
#include <functional>

namespace tavi::engines {

// Which SoundFont bank goes with a MIDI file, by the "SoundBank Options" value:
//   1  the bank named like the file (".sf2", then ".sbk"), else the folder's first "*.sf2",
//      then its first "*.sbk"
//   2  only the bank named like the file
//   3  the one the user picks (ask; empty when cancelled)
//   0 and any other value: none
// Empty for no bank. Extensions match without regard to case; "first" is by name.
QString ChooseSoundBank(const QString& midiFile, uint32_t option,
                        const std::function<QString()>& ask);

}  // namespace tavi::engines
