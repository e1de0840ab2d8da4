#include "ModTestEnvironment.h"
#include "engines/TrackFactory.h"
#include "engines/TrackRecorder.h"
#include "engines/exceptions/CModException.h"
#include "engines/mod/CModTrack.h"
#include "engines/player/CPlayer.h"
#include "formats/metadata/CMediaFile.h"
#include "support/ListHost.h"
#include "support/SilenceMeter.h"
#include "support/SoundFiles.h"
#include "support/TestMedia.h"

#include <dlfcn.h>

#include <cmath>

using namespace tavi::engines;
using tavi::test::processEventsFor;
using tavi::test::processEventsUntil;

namespace {

QString MessageOfOpen(const QString& path) {
    CModTrack track;
    try {
        track.Open(path);
    } catch (const CModException& e) {
        return e.GetErrorMessage();
    }
    return QString();
}

class ModTrack : public tavi::test::ModTestEnvironment {
protected:
    std::unique_ptr<CModTrack> Open(const QString& path) {
        auto track = std::make_unique<CModTrack>();
        track->SetCallback(&m_recorder);
        track->Open(path);
        return track;
    }
    // Root mean square of samples [from, to) of an interleaved recording.
    static double Loudness(const std::vector<short>& samples, size_t from, size_t to) {
        double sum = 0.0;
        for (size_t i = from; i < to && i < samples.size(); ++i) {
            sum += double(samples[i]) * samples[i];
        }
        return to > from ? std::sqrt(sum / double(to - from)) : 0.0;
    }

    tavi::test::TrackRecorder m_recorder;
};

class ModWithoutLibrary : public tavi::test::ModTestEnvironment {
protected:
    ModWithoutLibrary() : ModTestEnvironment(false) {}
};

}  // namespace

// Runs in a process of its own, so nothing bound the library before.
TEST_F(ModWithoutLibrary, AMissingFileFailsBeforeTheLibraryIsLoaded) {
    EXPECT_EQ(MessageOfOpen(Path(QStringLiteral("missing.mod"))),
              QStringLiteral("The specified MOD file does not exist."));
    EXPECT_FALSE(CNPModDll::IsInstanceMade());
    EXPECT_EQ(dlopen(TAVI_NPMOD32_PATH, RTLD_NOW | RTLD_NOLOAD), nullptr) << "loaded";
}

TEST_F(ModWithoutLibrary, WithoutTheLibraryEveryModuleFails) {
    CNPModDll& library = CNPModDll::Instance();
    EXPECT_FALSE(library.BindFile(Path(QStringLiteral("libnpmod32.so")))) << "no such file";
    const QString module = Write(QStringLiteral("a.mod"), tavi::test::ModFile(9));
    for (const char* name : {"a.mod", "b.S3M", "c.xm", "d.it", "e.mdz", "f.ItZ", "g.669"}) {
        const QString path = Write(QString::fromLatin1(name), tavi::test::ModFile(9));
        auto track = CreateTrackForFile(path, nullptr);
        ASSERT_NE(dynamic_cast<CModTrack*>(track.get()), nullptr) << name;
        EXPECT_EQ(MessageOfOpen(path),
                  QStringLiteral("The required DLL 'npmod32.dll' was not found."))
            << name;
    }
    // A library without every entry point is no module library.
    EXPECT_FALSE(library.BindFile(QStringLiteral(TAVI_AWEMAN32_PATH)));
    EXPECT_FALSE(library.IsUsable());
    EXPECT_FALSE(MessageOfOpen(module).isEmpty());
}

// A MOD, the same MOD zip-compressed, and an S3M play one after the other into the file
// output: as long as the three modules (each with the library's short fade after its last
// row), and sound in each.
TEST_F(ModTrack, ModulesPlayToTheirEndIntoTheFileOutput) {
    const QString recording = Path(QStringLiteral("heard.wav"));
    qputenv("TAVI_AUDIO_OUTPUT", (QStringLiteral("file:") + recording).toLocal8Bit());
    const QByteArray mod = tavi::test::ModFile(10);  // 1.2 s
    const QStringList entries{Write(QStringLiteral("a.mod"), mod),
                              Write(QStringLiteral("b.mdz"), tavi::test::ZipOf(mod, "b.mod")),
                              Write(QStringLiteral("c.s3m"), tavi::test::S3mFile(10))};
    double lengths = 0.0;
    for (const QString& entry : entries) {
        auto track = Open(entry);
        EXPECT_DOUBLE_EQ(track->GetLength(), 1.2) << entry.toStdString();
        lengths += track->GetLength();
    }
    {
        tavi::test::ListHost host(entries, 0);
        CPlayer player(host);
        player.PlayCommand();
        ASSERT_TRUE(processEventsUntil(
            [&] { return host.started.size() == 3 && !player.IsPlaying(); }, 20000));
        EXPECT_TRUE(host.shownErrors.isEmpty()) << host.shownErrors.join(u'\n').toStdString();
        host.CloseCurrentTrack();
    }
    int channels = 0;
    const std::vector<short> heard = tavi::test::ReadSamples(recording, &channels);
    ASSERT_EQ(channels, 2);
    const double seconds = double(heard.size()) / 2 / 44100;
    constexpr double kFade = 0.1;  // the library fades each piece out after its last row
    EXPECT_NEAR(seconds, lengths + 3 * kFade, 0.05);
    const size_t piece = size_t((1.2 + kFade) * 44100) * 2;
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_GT(Loudness(heard, i * piece, i * piece + piece - 2 * 4410), 3000.0)
            << "module " << i << " is silent";
    }
}

TEST_F(ModTrack, TheLengthIsTheLibrarysMaximumPositionInTenthsOfASecond) {
    // 617 rows of 10 ticks: a maximum position of 1234.
    auto track = Open(Write(QStringLiteral("long.mod"), tavi::test::ModFile(617, 10)));
    EXPECT_DOUBLE_EQ(track->GetLength(), 123.4);
    EXPECT_EQ(CNPModDll::Instance().Get().getMaxPosition(nullptr), 0) << "no such player";
}

// Opened paused at 0; Seek keeps within the piece; Pause holds the position; the volume is
// the library's 0..100.
TEST_F(ModTrack, PositionsPauseSeekAndVolume) {
    auto track = Open(Write(QStringLiteral("a.mod"), tavi::test::ModFile(20)));  // 2.4 s
    EXPECT_TRUE(track->IsPaused());
    EXPECT_TRUE(track->IsStopped());
    EXPECT_EQ(track->GetPosition(), 0.0);
    processEventsFor(100);
    EXPECT_FALSE(track->IsPlaying()) << "held paused until Play";
    track->Seek(-3.0);
    EXPECT_EQ(track->GetPosition(), 0.0);
    track->Seek(50.0);
    EXPECT_DOUBLE_EQ(track->GetPosition(), 2.4 - 1.0) << "beyond the end: a second before it";
    track->Seek(0.5);
    EXPECT_DOUBLE_EQ(track->GetPosition(), 0.5);
    track->SetVolume(0.37f);
    EXPECT_FLOAT_EQ(track->GetVolume(), 0.37f);
    EXPECT_TRUE(track->HasVolume());
    track->Play();
    EXPECT_TRUE(track->IsPlaying());
    EXPECT_FALSE(track->IsPaused());
    ASSERT_TRUE(processEventsUntil([&] { return track->GetPosition() >= 0.8; }, 5000));
    track->Pause();
    const double paused = track->GetPosition();
    EXPECT_TRUE(track->IsPaused());
    EXPECT_FALSE(track->IsPlaying());
    processEventsFor(250);
    EXPECT_EQ(track->GetPosition(), paused);
    track->Resume();
    ASSERT_TRUE(processEventsUntil([&] { return !m_recorder.reports.empty(); }, 5000));
    EXPECT_TRUE(m_recorder.reports[0].ended);
    processEventsFor(400);
    EXPECT_EQ(m_recorder.reports.size(), 1u) << "the end is reported once";
}

// The watcher is in its delay after the early end when Stop comes: nothing is reported, and
// Close does not wait for a watcher that has nothing left to do.
TEST_F(ModTrack, StopThenCloseReportsNoEnd) {
    auto track = Open(Write(QStringLiteral("a.mod"), tavi::test::ModFile(9)));
    track->Play();
    ASSERT_TRUE(
        processEventsUntil([&] { return track->GetPosition() >= track->GetLength() - 0.1; }, 5000));
    track->Stop();
    track->Close();
    processEventsFor(600);
    EXPECT_TRUE(m_recorder.reports.empty());
    // Closed while paused, a track's watcher ends too.
    auto paused = Open(Write(QStringLiteral("b.mod"), tavi::test::ModFile(9)));
    EXPECT_TRUE(paused->IsWatching());
    paused->Close();
    EXPECT_FALSE(paused->IsWatching());
    processEventsFor(100);
    EXPECT_TRUE(m_recorder.reports.empty());
}

// Played again after a Stop, a track is watched again and its end reported; a seek beyond
// the end of a piece shorter than a second goes to its start.
TEST_F(ModTrack, ATrackPlayedAgainAfterAStopReportsItsEnd) {
    auto track = Open(Write(QStringLiteral("a.mod"), tavi::test::ModFile(10)));
    track->Play();
    track->Stop();
    EXPECT_TRUE(processEventsUntil([&] { return !track->IsWatching(); }, 1000));
    track->Play();
    ASSERT_TRUE(processEventsUntil([&] { return !m_recorder.reports.empty(); }, 5000));
    EXPECT_TRUE(m_recorder.reports[0].ended);
    auto shortTrack = Open(Write(QStringLiteral("b.mod"), tavi::test::ModFile(4)));  // 0.48 s
    shortTrack->Seek(10.0);
    EXPECT_EQ(shortTrack->GetPosition(), 0.0);
}

TEST_F(ModTrack, APlayedRangeEndsAtItsEnd) {
    auto track = Open(Write(QStringLiteral("a.mod"), tavi::test::ModFile(40)));  // 4.8 s
    track->PlayRange(1.0, 1.5);
    ASSERT_TRUE(processEventsUntil([&] { return !m_recorder.reports.empty(); }, 5000));
    EXPECT_TRUE(m_recorder.reports[0].ended);
    EXPECT_LT(track->GetPosition(), 3.0);
}

// Damaged and hostile files fail at open with the library's message or play what is valid;
// none holds more than the unpacked-size limit.
TEST_F(ModTrack, DamagedAndHostileModulesFailAtOpenOrPlayWhatIsValid) {
    const QByteArray mod = tavi::test::ModFile(9);
    QByteArray longSample = mod;
    longSample[42] = char(0xFF);  // the sample's length: 128 KiB, far beyond the file
    longSample[43] = char(0xFF);
    const QByteArray zeros(100 * 1024 * 1024, '\0');
    const QByteArray described = tavi::test::ZipOf(mod, "x.mod", true, true);
    QByteArray badCrc = tavi::test::ZipOf(mod, "x.mod", false);
    badCrc[14] = char(badCrc[14] ^ 0x55);
    struct Case {
        const char* name;
        QByteArray bytes;
        bool opens;
    };
    const Case cases[] = {
        {"empty.mod", QByteArray(), false},
        {"header.mod", mod.left(600), false},
        {"noise.xm", QByteArray(5000, '\x5a'), false},
        {"sample.mod", longSample, true},
        {"tick.mod", tavi::test::ModFile(1, 1), true},  // 20 ms: still one unit long
        {"patterns.s3m", tavi::test::S3mFile(9, 6, "many", 10000), true},
        {"pointers.s3m", tavi::test::S3mFile(9, 6, "many", 10000, false), false},
        {"bomb.mdz", tavi::test::ZipOf(zeros, "bomb.mod"), false},
        {"crc.mdz", badCrc, false},
        {"cut.itz", described.left(described.size() - 16 - 20), false},
        {"descriptor.mdz", tavi::test::ZipOf(mod, "x.mod", true, true), true},
    };
    for (const Case& c : cases) {
        const QString path = Write(QString::fromLatin1(c.name), c.bytes);
        SCOPED_TRACE(c.name);
        if (!c.opens) {
            EXPECT_EQ(MessageOfOpen(path), QStringLiteral("MOD Player initializiation error"))
                << c.name;
            continue;
        }
        std::unique_ptr<CModTrack> track;
        try {
            track = Open(path);
        } catch (const CModException& e) {
            ADD_FAILURE() << e.GetErrorMessage().toStdString();
            continue;
        }
        EXPECT_GT(track->GetLength(), 0.0) << c.name;
        EXPECT_LT(track->GetLength(), 3600.0) << c.name;
        track->Seek(track->GetLength() - 0.3);
        track->Play();
        EXPECT_TRUE(processEventsUntil([&] { return !m_recorder.reports.empty(); }, 5000))
            << c.name;
        m_recorder.reports.clear();
    }
}

// The player opens a module ahead like any track, and its first and last sound follow the
// tracks around it on the shared output without a gap.
TEST_F(ModTrack, ModulesAndOtherTracksFollowEachOtherWithoutAGap) {
    const QStringList entries{Write(QStringLiteral("a.mod"), tavi::test::ModFile(10)),
                              Path(QStringLiteral("b.wav")),
                              Write(QStringLiteral("c.s3m"), tavi::test::S3mFile(10))};
    ASSERT_TRUE(tavi::test::MakeWav(entries[1], 0.8));
    tavi::test::SilenceMeter meter;
    tavi::test::ListHost host(entries, 0);
    CPlayer player(host);
    player.PlayCommand();
    ASSERT_TRUE(
        processEventsUntil([&] { return host.started.size() == 3 && !player.IsPlaying(); }, 20000));
    processEventsFor(900);  // the last module's end is reported while it is still heard
    EXPECT_TRUE(host.shownErrors.isEmpty()) << host.shownErrors.join(u'\n').toStdString();
    EXPECT_EQ(player.PreparedTracksUsed(), 2) << "both successors were opened ahead";
    EXPECT_NEAR(meter.SoundSeconds(), 1.3 + 0.79 + 1.3, 0.03) << "every sound heard once";
    EXPECT_LT(meter.LongestInnerSilenceMs(), 5.0) << "a gap between tracks";
    host.CloseCurrentTrack();
}

// The playlist names a module by its title and knows its length, zip-compressed or not.
TEST_F(ModTrack, TheDisplayNameIsTheModulesTitle) {
    const QByteArray mod = tavi::test::ModFile(20, 6, "  Cold Harbour ");
    const tavi::formats::CMediaFile::NameOptions tags{true, QStringLiteral("$(Title)")};
    for (const QString& path : {Write(QStringLiteral("a.mod"), mod),
                                Write(QStringLiteral("b.MDZ"), tavi::test::ZipOf(mod, "b.mod"))}) {
        tavi::formats::CMediaFile file(path);
        EXPECT_EQ(file.GetDisplayName(tags), QStringLiteral("Cold Harbour")) << path.toStdString();
        double seconds = 0.0;
        ASSERT_NE(file.GetMetaData(), nullptr);
        EXPECT_TRUE(file.GetMetaData()->GetDuration(seconds));
        EXPECT_DOUBLE_EQ(seconds, 2.4);
    }
    const QString untitled = Write(QStringLiteral("untitled.s3m"), tavi::test::S3mFile(9, 6, ""));
    tavi::formats::CMediaFile file(untitled);
    EXPECT_EQ(file.GetDisplayName({true, QStringLiteral("$(Artist) - $(Title)")}),
              QStringLiteral("untitled"))
        << "no tags: the file title";
    const QString noise = Write(QStringLiteral("noise.it"), QByteArray(300, 'x'));
    EXPECT_EQ(tavi::formats::CMediaFile(noise).GetMetaData(), nullptr);
}
