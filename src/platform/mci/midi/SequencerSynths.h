#pragma once

#include "SequencerBankHost.h"

#include <QSet>
#include <QString>
#include <QStringList>

#include <memory>
#include <mutex>
#include <vector>

namespace tavi::mci {

// The sequencer's synthesisers, kept for the whole run: loading a General MIDI SoundFont is
// the slow part of opening a MIDI file, so a device takes a synthesiser that has its default
// font loaded already and gives it back at close. Each open device has one of its own (a
// track opened ahead plays on another than the one playing). The default font is the first
// that loads of: the user's choice, then the system's General MIDI fonts. Thread-safe.
class SequencerSynths {
public:
    static SequencerSynths& Instance();
    ~SequencerSynths();

    // The user's SoundFont, tried before the system's; empty for none.
    void SetPreferredSoundFont(const QString& path);
    // The system's fonts in the order they are tried (tests replace them).
    void SetSystemSoundFonts(const QStringList& paths);
    static QStringList DefaultSystemSoundFonts();

    // A reset synthesiser with the default font, the one kept for this open first; null with
    // *error (MCIERR_SEQ_NOMIDIPRESENT) when no font loads.
    fluid_synth_t* Take(uint32_t* error);
    // Silences it and keeps it for later opens.
    void Give(fluid_synth_t* synth);

    // The table the sound-bank library works through.
    static const TaviSequencerHost* Host();
    fluid_synth_t* SynthForBankLoad();
    fluid_synth_t* SynthForBankClear();

private:
    struct Synth;
    SequencerSynths();
    Synth* IdleSynth();                  // made when none is idle; mutex held
    bool LoadDefaultFont(Synth* synth);  // mutex held

    std::mutex m_mutex;  // guards everything below
    std::vector<std::unique_ptr<Synth>> m_synths;
    QString m_preferred;
    QStringList m_system;
    QSet<QString> m_unloadable;      // fonts that failed to load, not tried again
    Synth* m_reserved = nullptr;     // kept for the next open by a bank load
    Synth* m_clearTarget = nullptr;  // where the next bank clear goes
};

}  // namespace tavi::mci
