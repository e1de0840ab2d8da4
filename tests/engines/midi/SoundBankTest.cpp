#include "MidiTestEnvironment.h"
#include "engines/midi/CAWEManDll.h"
#include "engines/midi/CMidiTrack.h"
#include "engines/midi/SoundBankChoice.h"
#include "playlist/player/LengthMeasure.h"

#include <QDir>
#include <QFile>

#include <fluidsynth.h>

using namespace tavi::engines;

namespace {

class SoundBank : public tavi::test::MidiTestEnvironment {
protected:
    SoundBank() {
        EXPECT_TRUE(CAWEManDll::Instance().BindFile(QStringLiteral(TAVI_AWEMAN32_PATH)));
        SoundBankPrompts prompts;
        prompts.showMessage = [this](const QString& text) { m_messages.append(text); };
        prompts.chooseSoundFont = [this] { return m_chosen; };
        CMidiTrack::SetPrompts(prompts);
        QDir(m_dir.path()).mkdir(QStringLiteral("songs"));
    }
    ~SoundBank() override { CMidiTrack::SetPrompts({}); }

    QString Song(const QString& name) {
        return Write(QStringLiteral("songs/") + name, tavi::test::Type0Midi());
    }
    // A real SoundFont under another name.
    QString Bank(const QString& name) {
        const QString path = Path(QStringLiteral("songs/") + name);
        EXPECT_TRUE(QFile::link(SystemFont(), path));
        return path;
    }
    static int FontsOf(fluid_synth_t* synth) { return synth ? fluid_synth_sfcount(synth) : -1; }
    static fluid_synth_t* LastSynth() {
        return tavi::mci::SequencerSynths::Instance().SynthForBankClear();
    }

    QStringList m_messages;
    QString m_chosen;
};

}  // namespace

TEST_F(SoundBank, TheOptionsChooseTheBankByName) {
    const QString song = Song(QStringLiteral("song.mid"));
    EXPECT_TRUE(ChooseSoundBank(song, 1, nullptr).isEmpty()) << "a folder without banks";
    EXPECT_TRUE(ChooseSoundBank(song, 2, nullptr).isEmpty());
    const QString other = Write(QStringLiteral("songs/b-other.sf2"), "x");
    Write(QStringLiteral("songs/a-first.sbk"), "x");
    EXPECT_EQ(ChooseSoundBank(song, 1, nullptr), other) << "the first *.sf2 before any *.sbk";
    EXPECT_TRUE(ChooseSoundBank(song, 2, nullptr).isEmpty());
    const QString sbk = Write(QStringLiteral("songs/song.sbk"), "x");
    EXPECT_EQ(ChooseSoundBank(song, 1, nullptr), sbk);
    const QString sf2 = Write(QStringLiteral("songs/song.SF2"), "x");
    for (uint32_t option : {1u, 2u}) {
        EXPECT_EQ(ChooseSoundBank(song, option, nullptr), sf2) << option;
    }
    EXPECT_EQ(ChooseSoundBank(song, 3, [] { return QStringLiteral("/x/picked.sf2"); }),
              QStringLiteral("/x/picked.sf2"));
    EXPECT_TRUE(ChooseSoundBank(song, 3, [] { return QString(); }).isEmpty()) << "cancelled";
    for (uint32_t option : {0u, 4u, 0xFFFFFFFFu}) {
        EXPECT_TRUE(ChooseSoundBank(song, option, [] { return QStringLiteral("/x"); }).isEmpty());
    }
}

// The bank is laid over the default font while the track is open, and cleared at close.
TEST_F(SoundBank, ABankNamedLikeTheFileIsLoadedForItsOpenAndClearedAtClose) {
    const QString song = Song(QStringLiteral("song.mid"));
    Bank(QStringLiteral("song.sf2"));
    Write(QStringLiteral("songs/song.sbk"), "not a bank: the .sf2 comes first");
    {
        CMidiTrack track;
        track.Open(song);
        EXPECT_TRUE(track.IsBankLoaded());
        EXPECT_EQ(FontsOf(LastSynth()), 2);
        track.Play();
        track.Close();
        EXPECT_EQ(FontsOf(LastSynth()), 1);
    }
    EXPECT_TRUE(m_messages.isEmpty()) << m_messages.join(u'\n').toStdString();

    tavi::settings::viewSettings().soundBankOptions = 0;
    CMidiTrack measured;
    measured.Open(song);
    EXPECT_FALSE(measured.IsBankLoaded()) << "option 0 loads nothing";
}

TEST_F(SoundBank, ADamagedBankIsShownAndTheFilePlaysWithoutIt) {
    const QString song = Song(QStringLiteral("song.mid"));
    const QString bank = Write(QStringLiteral("songs/song.sf2"), QByteArray(4096, '\x55'));
    CMidiTrack track;
    track.Open(song);
    EXPECT_FALSE(track.IsBankLoaded());
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_EQ(m_messages[0],
              QStringLiteral("AWE32 SoundBank '%1'\n\nAWE Error: SBANK_INVALID").arg(bank));
    EXPECT_EQ(FontsOf(LastSynth()), 1);
    EXPECT_NO_THROW(track.Play());
    EXPECT_TRUE(track.IsPlaying());

    // Measuring a length loads no bank, so the damaged one says nothing there.
    m_messages.clear();
    tavi::playlist::LengthMeasure measure(song);
    ASSERT_TRUE(tavi::test::processEventsUntil([&] { return measure.IsDone(); }, 3000));
    ASSERT_TRUE(measure.Length()) << measure.Error().toStdString();
    EXPECT_DOUBLE_EQ(*measure.Length(), 2.0);
    EXPECT_TRUE(m_messages.isEmpty());
    EXPECT_EQ(tavi::settings::viewSettings().soundBankOptions, 1u);
}

TEST_F(SoundBank, NoBankNoLibraryNoMessage) {
    const QString song = Song(QStringLiteral("alone.mid"));
    Bank(QStringLiteral("other.sf2"));
    tavi::settings::viewSettings().soundBankOptions = 2;
    {
        CMidiTrack track;
        track.Open(song);
        EXPECT_FALSE(track.IsBankLoaded()) << "option 2 without a bank of the same name";
    }
    tavi::settings::viewSettings().soundBankOptions = 1;
    EXPECT_FALSE(CAWEManDll::Instance().BindFile(Path(QStringLiteral("libaweman32.so"))));
    EXPECT_FALSE(CAWEManDll::Instance().IsUsable());
    CMidiTrack track;
    track.Open(song);
    EXPECT_FALSE(track.IsBankLoaded());
    track.Play();
    EXPECT_TRUE(track.IsPlaying());
    track.Close();
    EXPECT_TRUE(m_messages.isEmpty());
}

// The manager's own answers: messages on a closed connection, other banks and other
// messages are refused with their codes.
TEST_F(SoundBank, TheManagerRefusesWhatItCannotDo) {
    CAWEManDll& manager = CAWEManDll::Instance();
    uintptr_t connection = manager.OpenConnection();
    EXPECT_NE(connection, 0u);
    try {
        manager.LoadBank(connection, Path(QStringLiteral("songs/missing.sf2")));
        ADD_FAILURE();
    } catch (const tavi::errors::CException& e) {
        EXPECT_EQ(e.GetErrorMessage(), QStringLiteral("AWE Error: PATHNAME_INVALID"));
    }
    const uintptr_t closed = connection;
    manager.CloseConnection(&connection);
    EXPECT_EQ(connection, 0u);
    try {
        manager.ClearBank(closed);
        ADD_FAILURE();
    } catch (const tavi::errors::CException& e) {
        EXPECT_EQ(e.GetErrorMessage(), QStringLiteral("AWE Error: USERID_INVALID"));
    }
}
