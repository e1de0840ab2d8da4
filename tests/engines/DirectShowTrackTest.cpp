#include "TrackRecorder.h"
#include "app/settings/PlayerSettings.h"
#include "engines/TrackFactory.h"
#include "engines/directshow/CDirectShowTrack.h"
#include "engines/exceptions/CDirectShowException.h"
#include "engines/mci/CMCITrack.h"
#include "engines/player/CPlayer.h"
#include "support/ListHost.h"
#include "support/PlaybackEnvironment.h"
#include "support/QtApp.h"
#include "support/SoundFiles.h"
#include "support/TestMedia.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QUrl>
#include <QtEndian>

using namespace tavi::engines;
using tavi::test::processEventsFor;
using tavi::test::processEventsUntil;

namespace {

class DirectShowTrack : public testing::Test {
protected:
    void SetUp() override { tavi::test::PrepareForPlayback(); }
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    std::unique_ptr<CMediaTrack> open(const QString& file) {
        auto track = CreateTrackForFile(file, &recorder);
        track->Open(file);
        return track;
    }

    QTemporaryDir dir;
    tavi::test::TrackRecorder recorder;
};

// The peak absolute sample of a 16-bit PCM WAV file's data, and its data length in bytes.
std::pair<int, qint64> PeakAndLength(const QString& wavPath) {
    QFile file(wavPath);
    if (!file.open(QIODevice::ReadOnly)) {
        return {0, 0};
    }
    const QByteArray bytes = file.readAll();
    const qsizetype data = bytes.indexOf("data");
    if (data < 0) {
        return {0, 0};
    }
    // The data chunk's own size: chunks of tags may follow it.
    const qint64 size = qFromLittleEndian<quint32>(bytes.constData() + data + 4);
    const qsizetype end = std::min<qsizetype>(bytes.size(), data + 8 + size);
    int peak = 0;
    for (qsizetype i = data + 8; i + 1 < end; i += 2) {
        peak = std::max(peak, std::abs(int(qFromLittleEndian<qint16>(bytes.constData() + i))));
    }
    return {peak, size};
}

}  // namespace

TEST_F(DirectShowTrack, Mp3PlaysToItsEndThroughThePlayerAndTheNextEntryStarts) {
    ASSERT_TRUE(tavi::test::MakeMp3(path("song.mp3"), 2.0));
    tavi::test::ListHost host(QStringList{path("song.mp3"), QStringLiteral("0.pause")}, 0);
    CPlayer player(host);
    player.PlayCommand();
    ASSERT_TRUE(player.IsPlaying()) << host.shownErrors.join(QLatin1Char('\n')).toStdString();
    EXPECT_NE(dynamic_cast<CMP3DirectShowTrack*>(host.current.get()), nullptr);
    EXPECT_NEAR(host.current->GetLength(), 2.0, 0.1);
    ASSERT_TRUE(processEventsUntil([&] { return host.started.size() == 2; }, 15000));
    EXPECT_EQ(host.started[1], QStringLiteral("0.pause"));
    host.CloseCurrentTrack();
}

TEST_F(DirectShowTrack, PauseResumeSeekPositionAndLength) {
    ASSERT_TRUE(tavi::test::MakeWav(path("tone.wav"), 3.0));
    auto track = open(path("tone.wav"));
    EXPECT_TRUE(track->IsStopped());
    EXPECT_NEAR(track->GetLength(), 3.0, 0.05);
    track->Play();
    EXPECT_TRUE(track->IsPlaying());
    ASSERT_TRUE(processEventsUntil([&] { return track->GetPosition() > 0.2; }, 10000));
    track->Pause();
    EXPECT_TRUE(track->IsPaused());
    const double paused = track->GetPosition();
    EXPECT_GT(paused, 0.2);
    processEventsFor(300);  // long enough to move on if the pause did not hold
    EXPECT_NEAR(track->GetPosition(), paused, 0.02);
    track->Seek(2.5);
    EXPECT_NEAR(track->GetPosition(), 2.5, 0.05);
    track->Resume();
    ASSERT_TRUE(processEventsUntil([&] { return !recorder.reports.empty(); }, 10000));
    EXPECT_TRUE(recorder.reports.front().ended);
    track->Stop();
    EXPECT_TRUE(track->IsStopped());
    EXPECT_LT(track->GetPosition(), 0.05) << "Stop rewinds";
    track->Close();
    EXPECT_EQ(track->GetPosition(), 0.0);
}

TEST_F(DirectShowTrack, PlayRangeEndsAtItsStopTime) {
    ASSERT_TRUE(tavi::test::MakeOgg(path("tone.ogg"), 3.0));
    auto track = open(path("tone.ogg"));
    track->PlayRange(1.0, 1.5);
    // From the range's start; on a loaded machine some of it may be heard already.
    EXPECT_GE(track->GetPosition(), 0.99);
    EXPECT_LT(track->GetPosition(), 1.3);
    ASSERT_TRUE(processEventsUntil([&] { return !recorder.reports.empty(); }, 10000));
    EXPECT_TRUE(recorder.reports.front().ended);
    EXPECT_NEAR(track->GetPosition(), 1.5, 0.1) << "ended at the range's end, not the file's";
}

TEST_F(DirectShowTrack, FileOutputHoldsTheSoundThatWasPlayed) {
    ASSERT_TRUE(tavi::test::MakeWav(path("tone.wav"), 1.0));
    qputenv("TAVI_AUDIO_OUTPUT", QByteArray("file:") + path("heard.wav").toLocal8Bit());
    auto track = open(path("tone.wav"));
    track->Play();
    ASSERT_TRUE(processEventsUntil([&] { return !recorder.reports.empty(); }, 10000));
    track->Close();
    const auto [peak, length] = PeakAndLength(path("heard.wav"));
    EXPECT_GT(peak, 1000) << "the output is not silent";
    const qint64 expected = 44100LL * 2 * 2;  // one second of 16-bit stereo
    EXPECT_NEAR(double(length), double(expected), expected * 0.05);
}

// WAV files are parsed directly; one whose samples are not PCM (A-law here, or MP3 inside)
// still plays, through playbin.
TEST_F(DirectShowTrack, AWavOfAnyEncodingPlaysToItsEnd) {
    const std::vector<short> samples = tavi::test::DistinctFrames(22050, 2, 1);
    ASSERT_TRUE(tavi::test::WriteSoundFile(path("pcm.wav"), samples, 44100, 2));
    ASSERT_TRUE(tavi::test::WriteSoundFile(path("alaw.wav"), samples, 44100, 2,
                                           SF_FORMAT_WAV | SF_FORMAT_ALAW));
    for (const char* name : {"pcm.wav", "alaw.wav"}) {
        recorder.reports.clear();
        auto track = open(path(name));
        EXPECT_NEAR(track->GetLength(), 0.5, 0.01) << name;
        track->Play();
        ASSERT_TRUE(processEventsUntil([&] { return !recorder.reports.empty(); }, 10000)) << name;
        EXPECT_TRUE(recorder.reports.front().ended) << name;
        track->Close();
    }
}

TEST_F(DirectShowTrack, UnrenderableFileFailsWithRenderCodeAndGStreamersText) {
    QFile junk(path("junk.ogg"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(4096, '\x5a'));
    junk.close();
    for (const QString& file : {path("junk.ogg"), path("missing.wav")}) {
        auto track = CreateTrackForFile(file, &recorder);
        try {
            track->Open(file);
            FAIL() << "opened " << file.toStdString();
        } catch (const CDirectShowException& e) {
            EXPECT_EQ(e.GetOperation(), uint32_t(CDirectShowException::RenderFile));
            EXPECT_FALSE(e.GetErrorMessage().isEmpty());
        }
    }
}

// URLs reach the pipeline as URIs: a "file://" one is its file, a stream that cannot be
// reached fails with GStreamer's own text, whichever engine its name picks.
TEST_F(DirectShowTrack, UrlEntriesOpenAsUris) {
    const std::vector<short> samples = tavi::test::DistinctFrames(22050, 2, 1);
    ASSERT_TRUE(tavi::test::WriteSoundFile(path("a b.wav"), samples, 44100, 2));
    const QString url = QUrl::fromLocalFile(path("a b.wav")).toString(QUrl::FullyEncoded);
    auto track = open(url);
    EXPECT_NEAR(track->GetLength(), 0.5, 0.01);
    track->Play();
    ASSERT_TRUE(processEventsUntil([&] { return !recorder.reports.empty(); }, 10000));
    EXPECT_TRUE(recorder.reports.front().ended);
    track->Close();

    for (const char* unreachable : {"http://127.0.0.1:1/none.wav", "http://127.0.0.1:1/none.mp3",
                                    "http://127.0.0.1:1/live"}) {
        recorder.reports.clear();
        const QString entry = QString::fromLatin1(unreachable);
        auto stream = CreateTrackForFile(entry, &recorder);
        QString message;
        try {
            stream->Open(entry);
            // A slow refusal ends the open in the background, where it fails the same way.
            ASSERT_TRUE(processEventsUntil([&] { return !recorder.reports.empty(); }, 20000));
            EXPECT_FALSE(recorder.reports.front().ended) << unreachable;
            message = recorder.reports.front().message;
        } catch (const CDirectShowException& e) {
            EXPECT_EQ(e.GetOperation(), uint32_t(CDirectShowException::RenderFile));
            message = e.GetErrorMessage();
        }
        EXPECT_FALSE(message.isEmpty()) << unreachable;
    }
}

TEST_F(DirectShowTrack, VolumeLevelsMapToHundredthsOfADecibel) {
    EXPECT_DOUBLE_EQ(CDirectShowTrack::GainForHundredthsDb(0), 1.0);
    EXPECT_NEAR(CDirectShowTrack::GainForHundredthsDb(-4000), 0.01, 1e-9);
    EXPECT_EQ(CDirectShowTrack::HundredthsDbForGain(0.1), -2000);
    ASSERT_TRUE(tavi::test::MakeWav(path("tone.wav"), 1.0));
    auto track = open(path("tone.wav"));
    EXPECT_TRUE(track->HasVolume());
    EXPECT_FLOAT_EQ(track->GetVolume(), 1.0f);
    track->SetVolume(0.5f);
    EXPECT_NEAR(track->GetVolume(), 0.5f, 0.001f);
    track->SetVolume(0.0f);
    EXPECT_NEAR(track->GetVolume(), 0.0f, 0.001f);
    EXPECT_FALSE(track->HasVideo());
}

TEST(DirectShowAvailability, WithoutPlaybinMp3FailsToCreateTheGraphAndTheRestGoesToMci) {
    QTemporaryDir registry;
    qputenv("GST_REGISTRY_1_0", registry.filePath(QStringLiteral("registry.bin")).toLocal8Bit());
    qputenv("GST_PLUGIN_SYSTEM_PATH_1_0", "/nonexistent");
    qputenv("GST_PLUGIN_PATH_1_0", "/nonexistent");
    tavi::test::coreApplication();
    // Everything else goes to the media-control engine, the factory's last row.
    EXPECT_NE(
        dynamic_cast<CMCITrack*>(CreateTrackForFile(QStringLiteral("/m/a.flac"), nullptr).get()),
        nullptr);
    auto mp3 = CreateTrackForFile(QStringLiteral("/m/a.mp3"), nullptr);
    try {
        mp3->Open(QStringLiteral("/m/a.mp3"));
        FAIL();
    } catch (const CDirectShowException& e) {
        EXPECT_EQ(e.GetOperation(), uint32_t(CDirectShowException::CreateGraph));
    }
}
