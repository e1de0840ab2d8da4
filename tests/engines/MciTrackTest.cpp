#include "TrackRecorder.h"
#include "app/settings/PlayerSettings.h"
#include "engines/TrackFactory.h"
#include "engines/exceptions/CMCIException.h"
#include "engines/mci/CMCITrack.h"
#include "engines/player/CPlayer.h"
#include "platform/mci/MciCommands.h"
#include "platform/mci/MciExtensions.h"
#include "support/ListHost.h"
#include "support/ProcessRegistry.h"
#include "support/QtApp.h"
#include "support/SoundFiles.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tavi::engines;
using tavi::test::processEventsUntil;

namespace {

class MciTrack : public testing::Test {
protected:
    MciTrack() {
        tavi::test::coreApplication();
        qputenv("TAVI_AUDIO_OUTPUT", "null");
        tavi::mci::MciExtensions::reload();
    }
    ~MciTrack() override {
        tavi::mci::waveOutSetVolume(tavi::mci::kWaveOutHandle, 0xFFFFFFFF);
        tavi::mci::SetCommandTap(nullptr);
    }

    QString Wav(const QString& name, double seconds, int seed = 1) {
        const QString path = m_dir.filePath(name);
        const auto frames = int64_t(seconds * 44100);
        EXPECT_TRUE(tavi::test::WriteSoundFile(path, tavi::test::DistinctFrames(frames, 2, seed),
                                               44100, 2));
        return path;
    }
    std::unique_ptr<CMCITrack> Open(const QString& path) {
        auto track = std::make_unique<CMCITrack>();
        track->SetCallback(&m_recorder);
        track->Open(path);
        return track;
    }

    tavi::test::ProcessRegistry m_registry;
    QTemporaryDir m_dir;
    tavi::test::TrackRecorder m_recorder;
};

}  // namespace

TEST_F(MciTrack, OpensGetConsecutiveAliasesAndAnIdleStopSendsNothing) {
    const QString file = Wav(QStringLiteral("a.wav"), 0.5);
    auto first = Open(file);
    auto second = Open(file);
    const int number = first->GetDevice().GetAlias().mid(5).toInt();
    EXPECT_EQ(first->GetDevice().GetAlias(), QStringLiteral("alias%1").arg(number));
    EXPECT_EQ(second->GetDevice().GetAlias(), QStringLiteral("alias%1").arg(number + 1));

    std::vector<uint32_t> sent;
    tavi::mci::SetCommandTap(
        [&](tavi::mci::DeviceId, uint32_t message, uint32_t) { sent.push_back(message); });
    first->Stop();
    EXPECT_TRUE(std::find(sent.begin(), sent.end(), tavi::mci::MCI_STOP) == sent.end());
    first->Play();
    first->Stop();
    EXPECT_TRUE(std::find(sent.begin(), sent.end(), tavi::mci::MCI_STOP) != sent.end());
    tavi::mci::SetCommandTap(nullptr);
    EXPECT_TRUE(first->IsStopped());
    tavi::test::processEventsFor(50);
    EXPECT_TRUE(m_recorder.reports.empty()) << "an aborted play is no end";
}

TEST_F(MciTrack, SeeksClampToTheTrack) {
    auto track = Open(Wav(QStringLiteral("a.wav"), 2.0));
    EXPECT_DOUBLE_EQ(track->GetLength(), 2.0);
    track->Seek(-3.0);
    EXPECT_DOUBLE_EQ(track->GetPosition(), 0.0);
    track->Seek(0.75);
    EXPECT_DOUBLE_EQ(track->GetPosition(), 0.75);
    track->Seek(99.0);
    EXPECT_DOUBLE_EQ(track->GetPosition(), 2.0);

    // Playing, a seek plays on from there and the superseded notice ends nothing; beyond the
    // end it plays the last second.
    track->Seek(0.0);
    track->Play();
    track->Seek(0.5);
    EXPECT_TRUE(track->IsPlaying());
    track->Seek(99.0);
    EXPECT_TRUE(track->IsPlaying());
    EXPECT_GE(track->GetPosition(), 1.0);
    tavi::test::processEventsFor(100);
    EXPECT_TRUE(m_recorder.reports.empty());
    ASSERT_TRUE(processEventsUntil([&] { return !m_recorder.reports.empty(); }, 5000));
    EXPECT_TRUE(m_recorder.reports[0].ended);
    EXPECT_FALSE(track->IsPlaying());
    tavi::test::processEventsFor(50);
    EXPECT_EQ(m_recorder.reports.size(), 1u);
}

TEST_F(MciTrack, VolumeIsRelativeToTheLevelFoundAtOpen) {
    using tavi::mci::kWaveOutHandle;
    tavi::mci::waveOutSetVolume(kWaveOutHandle, 0);
    EXPECT_FALSE(Open(Wav(QStringLiteral("a.wav"), 0.2))->HasVolume()) << "turned all the way down";

    tavi::mci::waveOutSetVolume(kWaveOutHandle, 0x80008000);
    auto track = Open(m_dir.filePath(QStringLiteral("a.wav")));
    ASSERT_TRUE(track->HasVolume());
    EXPECT_FLOAT_EQ(track->GetVolume(), 1.0f);
    track->SetVolume(0.5f);
    uint32_t word = 0;
    tavi::mci::waveOutGetVolume(kWaveOutHandle, &word);
    EXPECT_EQ(word, 0x40004000u);
    EXPECT_NEAR(track->GetVolume(), 0.5f, 1e-4f);
    tavi::mci::waveOutSetVolume(kWaveOutHandle, 0xFFFFFFFF);  // raised elsewhere
    EXPECT_FLOAT_EQ(track->GetVolume(), 1.0f);
    track->SetVolume(3.0f);  // louder than the word can say: the loudest, not a wrap-around
    tavi::mci::waveOutGetVolume(kWaveOutHandle, &word);
    EXPECT_EQ(word, 0xFFFFFFFFu);
}

TEST_F(MciTrack, BadFilesFailAtOpenOrEndTheirPlay) {
    auto write = [&](const char* name, const QByteArray& bytes) {
        QFile file(m_dir.filePath(QString::fromLatin1(name)));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return file.fileName();
    };
    for (const QString& bad :
         {write("text.flac", QByteArray("plain text, no FLAC\n").repeated(30)),
          write("rate.wav", tavi::test::WavBytes(2, 7000000, 4000, 1000)),
          write("head.wav", tavi::test::WavBytes(2, 44100, 4000, 1000).left(40))}) {
        CMCITrack track;
        try {
            track.Open(bad);
            ADD_FAILURE() << bad.toStdString();
        } catch (const CMCIException& e) {
            EXPECT_FALSE(e.GetErrorMessage().isEmpty());
        }
    }
    // A data chunk said to hold 4 GB, and data cut short, play what there is and end.
    const QString huge = write("huge.wav", tavi::test::WavBytes(2, 44100, 0xFFFFFFF0, 4410));
    const QString cut = write("cut.wav", tavi::test::WavBytes(2, 44100, 40000, 10000).left(8000));
    for (const QString& odd : {huge, cut}) {
        m_recorder.reports.clear();
        auto track = Open(odd);
        EXPECT_LE(track->GetLength(), 0.1);
        track->Play();
        ASSERT_TRUE(processEventsUntil([&] { return !m_recorder.reports.empty(); }, 5000));
        EXPECT_FALSE(track->IsPlaying());
    }

    // A FLAC damaged after its header: an end or an error, never a track stuck playing.
    const QString flac = m_dir.filePath(QStringLiteral("damaged.flac"));
    ASSERT_TRUE(tavi::test::WriteSoundFile(flac, tavi::test::DistinctFrames(44100, 2, 3), 44100, 2,
                                           SF_FORMAT_FLAC | SF_FORMAT_PCM_16));
    QFile damaged(flac);
    damaged.open(QIODevice::ReadWrite);
    damaged.seek(damaged.size() / 3);
    damaged.write(QByteArray(int(damaged.size() / 3), '\xff'));
    damaged.close();
    m_recorder.reports.clear();
    try {
        auto track = Open(flac);
        track->Play();
        ASSERT_TRUE(processEventsUntil([&] { return !m_recorder.reports.empty(); }, 5000));
        EXPECT_FALSE(track->IsPlaying());
    } catch (const CMCIException& e) {
        EXPECT_FALSE(e.GetErrorMessage().isEmpty());
    }
}

// Without GStreamer the factory's last row plays the list, and the wave device's own file
// output records it: every sample of every entry, once, in order.
TEST_F(MciTrack, WithoutGStreamerAListPlaysToItsEndIntoTheFileOutput) {
    QTemporaryDir gstRegistry;
    qputenv("GST_REGISTRY_1_0", gstRegistry.filePath(QStringLiteral("registry.bin")).toLocal8Bit());
    qputenv("GST_PLUGIN_SYSTEM_PATH_1_0", "/nonexistent");
    qputenv("GST_PLUGIN_PATH_1_0", "/nonexistent");
    const QString recording = m_dir.filePath(QStringLiteral("heard.wav"));
    qputenv("TAVI_AUDIO_OUTPUT", (QStringLiteral("file:") + recording).toLocal8Bit());
    tavi::settings::playerSettings() = tavi::settings::PlayerSettings();
    tavi::settings::playerSettings().fadeOut = false;
    EXPECT_NE(
        dynamic_cast<CMCITrack*>(CreateTrackForFile(QStringLiteral("/m/a.wav"), nullptr).get()),
        nullptr);
    const double seconds[] = {0.3, 0.25, 0.35};
    QStringList entries;
    std::vector<short> expected;
    for (int i = 0; i < 3; ++i) {
        entries.append(Wav(QStringLiteral("%1.wav").arg(i), seconds[i], i + 1));
        const auto samples = tavi::test::ReadSamples(entries.last());
        expected.insert(expected.end(), samples.begin(), samples.end());
    }
    {
        tavi::test::ListHost host(entries, 0);
        CPlayer player(host);
        player.PlayCommand();
        ASSERT_TRUE(processEventsUntil(
            [&] { return host.started.size() == 3 && !player.IsPlaying(); }, 10000));
        EXPECT_TRUE(host.shownErrors.isEmpty());
        host.CloseCurrentTrack();
    }
    int channels = 0;
    const std::vector<short> heard = tavi::test::ReadSamples(recording, &channels);
    EXPECT_EQ(channels, 2);
    ASSERT_EQ(heard.size(), expected.size());
    EXPECT_TRUE(heard == expected);
}
