#include "MidiTestEnvironment.h"
#include "engines/TrackFactory.h"
#include "engines/TrackRecorder.h"
#include "engines/exceptions/CMCIException.h"
#include "engines/midi/CMidiTrack.h"
#include "engines/player/CPlayer.h"
#include "formats/metadata/CMediaFile.h"
#include "support/ListHost.h"
#include "support/SoundFiles.h"

#include <cmath>

using namespace tavi::engines;
using tavi::test::processEventsUntil;

namespace {

class MidiTrack : public tavi::test::MidiTestEnvironment {
protected:
    std::unique_ptr<CMidiTrack> Open(const QString& path) {
        auto track = std::make_unique<CMidiTrack>();
        track->SetCallback(&m_recorder);
        track->Open(path);
        return track;
    }

    tavi::test::TrackRecorder m_recorder;
};

// Root mean square of samples [from, to) of an interleaved 16-bit recording.
double Loudness(const std::vector<short>& samples, size_t from, size_t to) {
    double sum = 0.0;
    for (size_t i = from; i < to && i < samples.size(); ++i) {
        sum += double(samples[i]) * samples[i];
    }
    return to > from ? std::sqrt(sum / double(to - from)) : 0.0;
}

}  // namespace

// A Type 0 file and an RMI-wrapped Type 1 with tempo changes play one after the other into
// the file output: as long as both files, and sound in each.
TEST_F(MidiTrack, AListOfMidiFilesPlaysToItsEndAndIsHeard) {
    const QString recording = Path(QStringLiteral("heard.wav"));
    qputenv("TAVI_AUDIO_OUTPUT", (QStringLiteral("file:") + recording).toLocal8Bit());
    const QStringList entries{
        Write(QStringLiteral("a.mid"), tavi::test::Type0Midi()),
        Write(QStringLiteral("b.rmi"), tavi::test::RmiBytes(tavi::test::Type1Midi()))};
    {
        tavi::test::ListHost host(entries, 0);
        CPlayer player(host);
        player.PlayCommand();
        ASSERT_TRUE(processEventsUntil(
            [&] { return host.started.size() == 2 && !player.IsPlaying(); }, 15000));
        EXPECT_TRUE(host.shownErrors.isEmpty()) << host.shownErrors.join(u'\n').toStdString();
        host.CloseCurrentTrack();
    }
    int channels = 0;
    const std::vector<short> heard = tavi::test::ReadSamples(recording, &channels);
    ASSERT_EQ(channels, 2);
    const double seconds = double(heard.size()) / 2 / 44100;
    EXPECT_NEAR(seconds, 3.5, 0.05);
    const size_t typeOneStart = 2 * 44100 * 2;
    EXPECT_GT(Loudness(heard, 0, typeOneStart), 300.0) << "the Type 0 file is silent";
    EXPECT_GT(Loudness(heard, typeOneStart, heard.size()), 300.0) << "the Type 1 file is silent";
}

TEST_F(MidiTrack, PositionsLengthPauseAndSeek) {
    auto track = Open(Write(QStringLiteral("t1.mid"), tavi::test::Type1Midi()));
    EXPECT_DOUBLE_EQ(track->GetLength(), 1.5);
    track->Seek(1.0);
    EXPECT_DOUBLE_EQ(track->GetPosition(), 1.0);
    track->Play();
    ASSERT_TRUE(processEventsUntil([&] { return track->GetPosition() > 1.1; }, 3000));
    track->Pause();
    EXPECT_TRUE(track->IsPaused());
    const double paused = track->GetPosition();
    tavi::test::processEventsFor(100);
    EXPECT_DOUBLE_EQ(track->GetPosition(), paused);
    track->Resume();
    ASSERT_TRUE(processEventsUntil([&] { return !m_recorder.reports.empty(); }, 3000));
    EXPECT_TRUE(m_recorder.reports[0].ended);
    EXPECT_DOUBLE_EQ(track->GetPosition(), 1.5);
}

TEST_F(MidiTrack, BadFilesFailAtOpenWithAClearMessage) {
    const QByteArray good = tavi::test::Type0Midi();
    QByteArray huge = good;
    huge.replace(18, 4, tavi::test::BigEndianBytes(0x7FFFFFFF, 4));
    for (const QString& bad : {Write(QStringLiteral("empty.mid"), QByteArray()),
                               Write(QStringLiteral("cut.mid"), good.left(good.size() - 3)),
                               Write(QStringLiteral("huge.mid"), huge),
                               Write(QStringLiteral("wave.rmi"), QByteArray("RIFF\4\0\0\0WAVE")),
                               Path(QStringLiteral("missing.mid"))}) {
        try {
            Open(bad);
            ADD_FAILURE() << bad.toStdString();
        } catch (const CMCIException& e) {
            EXPECT_FALSE(e.GetErrorMessage().isEmpty()) << bad.toStdString();
        }
    }
}

// The user's SoundFont comes first, a damaged one is passed over, and without any font the
// open says which one to install.
TEST_F(MidiTrack, TheDefaultSoundFontIsTheFirstThatLoads) {
    const QString midi = Write(QStringLiteral("a.mid"), tavi::test::Type0Midi());
    tavi::settings::playerSettings().midiSoundFont =
        Write(QStringLiteral("damaged.sf2"), QByteArray("RIFF\x10\0\0\0sfbkLIST", 16).repeated(9));
    EXPECT_NO_THROW(Open(midi));

    tavi::mci::SequencerSynths::Instance().SetSystemSoundFonts({Path(QStringLiteral("none.sf2"))});
    try {
        Open(midi);
        ADD_FAILURE() << "opened without a SoundFont";
    } catch (const CMCIException& e) {
        EXPECT_TRUE(e.GetErrorMessage().contains(QLatin1String("TimGM6mb.sf2")));
        EXPECT_TRUE(e.GetErrorMessage().contains(QLatin1String("MidiSoundFont")));
    }
    tavi::settings::playerSettings().midiSoundFont = SystemFont();
    EXPECT_NO_THROW(Open(midi));
}

TEST_F(MidiTrack, TheResetPlaysBeforeMidEntriesOnly) {
    tavi::settings::playerSettings().sendReset = true;
    tavi::settings::playerSettings().resetFile = QStringLiteral("/r/reset.mid");
    const QStringList entries{
        Write(QStringLiteral("a.mid"), tavi::test::Type0Midi()),
        Write(QStringLiteral("b.rmi"), tavi::test::RmiBytes(tavi::test::Type0Midi())),
        Write(QStringLiteral("c.MID"), tavi::test::Type0Midi())};
    tavi::test::ListHost host(entries, 0);
    CPlayer player(host);
    QStringList resets;
    player.SetMidiResetHandler([&](const QString& file) {
        resets.append(file + QLatin1Char(' ') + QString::number(host.started.size()));
    });
    for (int i = 0; i < 3; ++i) {
        host.selection = i;
        player.PlayFile(entries[i]);
    }
    EXPECT_EQ(resets,
              (QStringList{QStringLiteral("/r/reset.mid 0"), QStringLiteral("/r/reset.mid 2")}));
    EXPECT_EQ(host.started.size(), 3);
    host.CloseCurrentTrack();
}

TEST_F(MidiTrack, TheFirstTracksNameIsTheTitle) {
    tavi::settings::viewSettings().useMetaData = true;
    const QString named = Write(QStringLiteral("named.mid"), tavi::test::Type1Midi());
    const QString rmi =
        Write(QStringLiteral("named.rmi"), tavi::test::RmiBytes(tavi::test::Type1Midi()));
    const QString plain = Write(QStringLiteral("plain.mid"), tavi::test::Type0Midi());
    const tavi::formats::CMediaFile::NameOptions options{true, QStringLiteral("[$(Title)]")};
    EXPECT_EQ(tavi::formats::CMediaFile(named).GetDisplayName(options),
              QStringLiteral("[Conductor Song]"));
    EXPECT_EQ(tavi::formats::CMediaFile(rmi).GetDisplayName(options),
              QStringLiteral("[Conductor Song]"));
    EXPECT_EQ(tavi::formats::CMediaFile(plain).GetDisplayName(options), QStringLiteral("plain"));
}
