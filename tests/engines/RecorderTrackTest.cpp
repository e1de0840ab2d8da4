// Live-input entries: the run timed from the entry's name, what cannot be done to live
// input, and the input's sound reaching the output.
#include "TrackRecorder.h"
#include "app/settings/PlayerSettings.h"
#include "engines/exceptions/CDirectShowException.h"
#include "engines/player/CPlayer.h"
#include "engines/recorder/CRecorderTrack.h"
#include "support/ListHost.h"
#include "support/PipeSource.h"
#include "support/PlaybackEnvironment.h"
#include "support/PulseAudioServer.h"
#include "support/QtApp.h"
#include "support/SoundFiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <atomic>
#include <cmath>

using namespace tavi::engines;
using tavi::test::processEventsFor;
using tavi::test::processEventsUntil;

namespace {

// A machine with a sound card that records has an input even without a sound server.
bool HasCaptureHardware() {
    return !QDir(QStringLiteral("/dev/snd"))
                .entryList({QStringLiteral("pcmC*c")}, QDir::System)
                .isEmpty();
}

class LiveInput : public testing::Test {
protected:
    void SetUp() override {
        tavi::test::PrepareForPlayback();
        ASSERT_TRUE(m_server.isReady());
        track.SetCallback(&owner);
        track.SetClock([this] { return now.load(); });
    }
    void TearDown() override { track.Close(); }

    tavi::test::PulseAudioServer m_server;
    tavi::test::TrackRecorder owner;
    std::atomic<int64_t> now = 0;
    CRecorderTrack track;
};

}  // namespace

TEST(LiveInputName, TheLengthIsTheLeadingNumberOfTheName) {
    EXPECT_EQ(CRecorderTrack::LengthFromName(QStringLiteral("/lists/60.record")), 60.0);
    EXPECT_EQ(CRecorderTrack::LengthFromName(QStringLiteral("12.5.RECORD")), 12.0);
    EXPECT_EQ(CRecorderTrack::LengthFromName(QStringLiteral(" 7 minutes.record")), 7.0);
    EXPECT_EQ(CRecorderTrack::LengthFromName(QStringLiteral("live.record")), 1.0);
    EXPECT_EQ(CRecorderTrack::LengthFromName(QStringLiteral(".record")), 1.0);
}

TEST_F(LiveInput, ARunEndsOnceAtItsEndAndASeekMovesTheEnd) {
    track.Open(QStringLiteral("2.record"));
    EXPECT_FALSE(track.DeviceName().isEmpty());
    EXPECT_EQ(track.GetLength(), 2.0);
    track.Play();
    EXPECT_TRUE(track.IsPlaying());
    now = 1500;
    EXPECT_NEAR(track.GetPosition(), 1.5, 1e-9);
    track.Seek(0.5);  // from here 1.5 s remain
    now = 2900;
    processEventsFor(300);
    EXPECT_TRUE(owner.reports.empty());
    now = 3000;
    EXPECT_TRUE(processEventsUntil([&] { return !owner.reports.empty(); }, 2000));
    processEventsFor(300);
    ASSERT_EQ(owner.reports.size(), 1u);
    EXPECT_TRUE(owner.reports[0].ended);
}

TEST_F(LiveInput, PauseLeavesItRunningAndStopPutsTheVolumeBack) {
    track.Open(QStringLiteral("5.record"));
    track.Play();
    track.SetVolume(0.5f);
    EXPECT_NEAR(track.GetVolume(), 0.5f, 0.01f);
    now = 1000;
    track.Pause();
    EXPECT_FALSE(track.IsPaused());
    EXPECT_TRUE(track.IsPlaying());
    now = 2000;
    EXPECT_NEAR(track.GetPosition(), 2.0, 1e-9);
    track.Resume();
    EXPECT_NEAR(track.GetPosition(), 2.0, 1e-9);
    track.Stop();
    EXPECT_TRUE(track.IsStopped());
    EXPECT_NEAR(track.GetVolume(), 1.0f, 0.01f);
    now = 9000;
    processEventsFor(300);
    EXPECT_TRUE(owner.reports.empty()) << "a stopped run reports no end";
}

// Frames of the recording whose sound is a 440-Hz tone: counted over 10-ms windows by their
// zero crossings and level.
int TonedFrames(const std::vector<short>& samples) {
    const int window = tavi::test::PipeSource::kRate / 100;
    int toned = 0;
    for (size_t start = 0; start + size_t(window) * 2 <= samples.size();
         start += size_t(window) * 2) {
        int crossings = 0;
        double energy = 0;
        for (int i = 1; i < window; ++i) {
            const short a = samples[start + size_t(2 * (i - 1))];
            const short b = samples[start + size_t(2 * i)];
            crossings += (a < 0) != (b < 0);
            energy += double(b) * b;
        }
        // 440 Hz crosses zero 8.8 times in 10 ms.
        if (crossings >= 7 && crossings <= 11 && std::sqrt(energy / window) > 3000) {
            toned += window;
        }
    }
    return toned;
}

TEST_F(LiveInput, TheInputsSoundReachesTheOutput) {
    tavi::test::PipeSource input;
    ASSERT_TRUE(input.isReady());
    QTemporaryDir dir;
    const QString recording = dir.filePath(QStringLiteral("out.wav"));
    qputenv("TAVI_AUDIO_OUTPUT", (QStringLiteral("file:") + recording).toLocal8Bit());
    CRecorderTrack live;
    live.SetCallback(&owner);
    live.Open(QStringLiteral("1.record"));
    live.Play();
    EXPECT_TRUE(processEventsUntil([&] { return !owner.reports.empty(); }, 5000));
    live.Close();
    qputenv("TAVI_AUDIO_OUTPUT", "null");
    const std::vector<short> samples = tavi::test::ReadSamples(recording);
    // Most of the second holds the tone; the first pieces may come before the source runs.
    EXPECT_GT(TonedFrames(samples), tavi::test::PipeSource::kRate * 6 / 10)
        << samples.size() / 2 << " frames";
}

TEST(LiveInputWithoutServer, TheEntryFailsToOpenAndThePlayerGoesOn) {
    if (HasCaptureHardware()) {
        GTEST_SKIP() << "this machine records without a sound server";
    }
    tavi::test::PrepareForPlayback();
    QTemporaryDir empty;
    tavi::test::withoutAnySoundServer(empty);
    CRecorderTrack track;
    try {
        track.Open(QStringLiteral("2.record"));
        FAIL() << "opened without an input";
    } catch (const CDirectShowException& error) {
        EXPECT_TRUE(
            error.GetErrorMessage().contains(QStringLiteral("No audio input device is available")))
            << error.GetErrorMessage().toStdString();
    }
    tavi::settings::playerSettings().ignoreErrors = true;
    tavi::test::ListHost host({QStringLiteral("2.record"), QStringLiteral("1.pause")});
    CPlayer player(host);
    player.PlayCommand();
    EXPECT_TRUE(processEventsUntil([&] { return !host.started.isEmpty(); }, 2000));
    EXPECT_EQ(host.started, QStringList{QStringLiteral("1.pause")});
    host.CloseCurrentTrack();
}
