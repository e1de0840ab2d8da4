#include "SequencerSynths.h"

#include "platform/mci/MciConstants.h"
#include "platform/mci/wave/WaveOutput.h"

#include <QFileInfo>

#include "FluidSynthLibrary.h"

namespace tavi::mci {

struct SequencerSynths::Synth {
    fluid_settings_t* settings = nullptr;
    fluid_synth_t* synth = nullptr;
    QString defaultFont;  // the canonical path of the default font, empty for none
    int defaultFontId = FLUID_FAILED;
    bool busy = false;  // taken by an open device

    ~Synth() {
        FluidSynth().delete_fluid_synth(synth);
        FluidSynth().delete_fluid_settings(settings);
    }
};

namespace {

fluid_synth_t* HostBankLoad() {
    return SequencerSynths::Instance().SynthForBankLoad();
}
fluid_synth_t* HostBankClear() {
    return SequencerSynths::Instance().SynthForBankClear();
}

}  // namespace

SequencerSynths& SequencerSynths::Instance() {
    static SequencerSynths instance;
    return instance;
}

SequencerSynths::SequencerSynths() : m_system(DefaultSystemSoundFonts()) {}

SequencerSynths::~SequencerSynths() = default;

QStringList SequencerSynths::DefaultSystemSoundFonts() {
    return {QStringLiteral("/usr/share/sounds/sf2/default-GM.sf2"),
            QStringLiteral("/usr/share/sounds/sf2/FluidR3_GM.sf2"),
            QStringLiteral("/usr/share/sounds/sf2/TimGM6mb.sf2")};
}

void SequencerSynths::SetPreferredSoundFont(const QString& path) {
    std::lock_guard lock(m_mutex);
    if (path != m_preferred) {
        m_unloadable.remove(path);  // the user named it anew: perhaps it was mended
    }
    m_preferred = path;
}

void SequencerSynths::SetSystemSoundFonts(const QStringList& paths) {
    std::lock_guard lock(m_mutex);
    m_system = paths;
}

const TaviSequencerHost* SequencerSynths::Host() {
    static const TaviSequencerHost host{TAVI_SEQUENCER_HOST_VERSION, HostBankLoad, HostBankClear};
    return &host;
}

SequencerSynths::Synth* SequencerSynths::IdleSynth() {
    for (const std::unique_ptr<Synth>& synth : m_synths) {
        if (!synth->busy && synth.get() != m_reserved) {
            return synth.get();
        }
    }
    if (!LoadFluidSynth()) {
        return nullptr;
    }
    auto made = std::make_unique<Synth>();
    made->settings = FluidSynth().new_fluid_settings();
    FluidSynth().fluid_settings_setnum(made->settings, "synth.sample-rate", WaveOutput::kRate);
    // The player advances with the sound the device renders, not with the wall clock.
    FluidSynth().fluid_settings_setstr(made->settings, "player.timing-source", "sample");
    made->synth = FluidSynth().new_fluid_synth(made->settings);
    if (!made->synth) {
        return nullptr;
    }
    m_synths.push_back(std::move(made));
    return m_synths.back().get();
}

// The first font of the list that loads stays; one already loaded is kept while it is
// still the first choice present.
bool SequencerSynths::LoadDefaultFont(Synth* synth) {
    QStringList candidates = m_system;
    if (!m_preferred.isEmpty()) {
        candidates.prepend(m_preferred);
    }
    for (const QString& path : candidates) {
        if (!QFileInfo(path).isFile() || m_unloadable.contains(path)) {
            continue;
        }
        // default-GM.sf2 is usually a link to one of the others: the same font stays.
        const QString font = QFileInfo(path).canonicalFilePath();
        if (font == synth->defaultFont) {
            return true;
        }
        // Everything goes, a bank laid over the old default included: it lay over that one.
        while (FluidSynth().fluid_synth_sfcount(synth->synth) > 0) {
            fluid_sfont_t* font = FluidSynth().fluid_synth_get_sfont(synth->synth, 0);
            FluidSynth().fluid_synth_sfunload(synth->synth, FluidSynth().fluid_sfont_get_id(font),
                                              0);
        }
        synth->defaultFont.clear();
        const int id =
            FluidSynth().fluid_synth_sfload(synth->synth, font.toLocal8Bit().constData(), 1);
        if (id != FLUID_FAILED) {
            synth->defaultFont = font;
            synth->defaultFontId = id;
            return true;
        }
        m_unloadable.insert(path);
    }
    return false;
}

fluid_synth_t* SequencerSynths::Take(uint32_t* error) {
    std::lock_guard lock(m_mutex);
    Synth* synth = m_reserved ? m_reserved : IdleSynth();
    m_reserved = nullptr;
    if (!synth || !LoadDefaultFont(synth)) {
        *error = synth ? MCIERR_SEQ_NOMIDIPRESENT : MCIERR_OUT_OF_MEMORY;
        return nullptr;
    }
    FluidSynth().fluid_synth_system_reset(synth->synth);
    synth->busy = true;
    return synth->synth;
}

void SequencerSynths::Give(fluid_synth_t* given) {
    std::lock_guard lock(m_mutex);
    for (const std::unique_ptr<Synth>& synth : m_synths) {
        if (synth->synth == given) {
            FluidSynth().fluid_synth_all_sounds_off(given, -1);
            synth->busy = false;
            m_clearTarget = synth.get();
        }
    }
}

fluid_synth_t* SequencerSynths::SynthForBankLoad() {
    std::lock_guard lock(m_mutex);
    if (!m_reserved) {
        m_reserved = IdleSynth();
    }
    if (!m_reserved) {
        return nullptr;
    }
    LoadDefaultFont(m_reserved);  // without one the open fails and says so
    m_clearTarget = m_reserved;
    return m_reserved->synth;
}

fluid_synth_t* SequencerSynths::SynthForBankClear() {
    std::lock_guard lock(m_mutex);
    return m_clearTarget ? m_clearTarget->synth : nullptr;
}

}  // namespace tavi::mci
