#pragma once

#include "engines/mci/CMCITrack.h"

#include <functional>

namespace tavi::engines {

// What the MIDI track asks of the user interface, which the engines cannot show: a message
// box and the "Choose SoundFont" file dialog (an empty answer is a cancel). Without them
// messages go to stderr and nobody is asked.
struct SoundBankPrompts {
    std::function<void(const QString& text)> showMessage;
    std::function<QString()> chooseSoundFont;
};

// A MIDI file on the sequencer device, with the SoundFont bank chosen by "SoundBank
// Options" loaded through the sound-bank manager before it opens and cleared after it
// closes. Sound-bank errors never keep the file from playing: they are shown and it plays
// with the default font.
class CMidiTrack : public CMCITrack {
public:
    CMidiTrack() = default;
    ~CMidiTrack() override;

    static void SetPrompts(SoundBankPrompts prompts);

    void Open(const QString& fileName) override;
    void Close() override;
    bool IsBankLoaded() const { return m_bankLoaded; }

    // True when a bank was loaded for the file (which Close clears).
    bool LoadSoundBankFor(const QString& midiFile);
    void ClearSoundBank();

private:
    bool m_bankLoaded = false;
};

}  // namespace tavi::engines
