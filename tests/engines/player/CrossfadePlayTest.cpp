// Crossfades heard on the file output: two tones of different pitch, so that each track's
// level can be followed through the overlap on its own.
#include "app/settings/PlaybackSettings.h"
#include "engines/player/FileOutputRun.h"
#include "support/PlaybackEnvironment.h"
#include "support/TestMedia.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using tavi::settings::playbackSettings;
using tavi::test::FileOutputRun;

namespace {

constexpr int kRate = FileOutputRun::kRate;
constexpr double kAmplitude = 0.8 * 32767;  // audiotestsrc's sine
constexpr size_t kWindow = kRate / 10;      // whole periods of both tones
constexpr double kLow = 440.0;
constexpr double kHigh = 1000.0;

// The amplitude of one frequency in the left channel over [from, from + kWindow).
double AmplitudeOf(const std::vector<short>& samples, double frequency, size_t from) {
    double re = 0.0;
    double im = 0.0;
    for (size_t n = 0; n < kWindow && (from + n) * 2 < samples.size(); ++n) {
        const double phase = 2.0 * std::numbers::pi * frequency * double(n) / kRate;
        re += samples[(from + n) * 2] * std::cos(phase);
        im += samples[(from + n) * 2] * std::sin(phase);
    }
    return 2.0 * std::hypot(re, im) / kWindow / kAmplitude;
}

class CrossfadePlay : public testing::Test {
protected:
    void SetUp() override {
        tavi::test::PrepareForPlayback();
        playbackSettings().crossfadeMs = 2000;
    }
    // buffers × 1024 frames of a tone.
    QString tone(double frequency, int buffers) {
        const QString path = dir.filePath(QStringLiteral("t%1.wav").arg(++made));
        EXPECT_TRUE(tavi::test::RunPipeline(
            QStringLiteral("audiotestsrc freq=%1 num-buffers=%2 ! "
                           "audio/x-raw,rate=44100,channels=2 ! audioconvert ! wavenc ! "
                           "filesink location=%3")
                .arg(frequency)
                .arg(buffers)
                .arg(tavi::test::Quoted(path))));
        return path;
    }

    QTemporaryDir dir;
    int made = 0;
};

}  // namespace

// The second track's sound starts two seconds before the first one's end: the recording is
// two seconds shorter than both, and through the overlap the first falls on cos(π/2·t)
// while the second rises on sin(π/2·t).
TEST_F(CrossfadePlay, AnAutomaticChangeOverlapsTheTracksOnEqualPowerCurves) {
    playbackSettings().crossfadeAuto = true;
    const size_t frames = 215 * 1024;  // 4.99 s each
    FileOutputRun run({tone(kLow, 215), tone(kHigh, 215)});
    const std::vector<short> samples = run.PlayToEnd(30000);
    ASSERT_FALSE(samples.empty());
    EXPECT_EQ(run.crossfades, 1);
    EXPECT_NEAR(double(samples.size() / 2), double(2 * frames - 2 * kRate), kRate * 0.03)
        << "the sum less the fade";
    const size_t overlap = frames - 2 * kRate;
    EXPECT_NEAR(AmplitudeOf(samples, kLow, overlap - 2 * kWindow), 1.0, 0.02);
    EXPECT_LT(AmplitudeOf(samples, kHigh, overlap - 2 * kWindow), 0.01) << "not before";
    for (size_t window = 0; window < 20; ++window) {
        const size_t from = overlap + window * kWindow;
        const double t = (window + 0.5) / 20.0;
        const double low = AmplitudeOf(samples, kLow, from);
        const double high = AmplitudeOf(samples, kHigh, from);
        EXPECT_NEAR(low, std::cos(std::numbers::pi / 2 * t), 0.03) << "window " << window;
        EXPECT_NEAR(high, std::sin(std::numbers::pi / 2 * t), 0.03) << "window " << window;
        EXPECT_NEAR(low * low + high * high, 1.0, 0.05) << "equal power, window " << window;
    }
    EXPECT_LT(AmplitudeOf(samples, kLow, frames + kWindow), 0.01) << "the first is over";
    EXPECT_NEAR(AmplitudeOf(samples, kHigh, frames + kWindow), 1.0, 0.02);
}

// Tracks shorter than twice the fade and pause entries follow each other as without it.
TEST_F(CrossfadePlay, ShortTracksAndPauseEntriesAreNotCrossed) {
    playbackSettings().crossfadeAuto = true;
    const size_t frames = 130 * 1024;  // 3 s: less than twice the fade
    FileOutputRun run({tone(kLow, 130), tone(kHigh, 130), QStringLiteral("1.pause")});
    const std::vector<short> samples = run.PlayToEnd(30000);
    ASSERT_FALSE(samples.empty());
    EXPECT_EQ(run.crossfades, 0);
    EXPECT_GE(samples.size() / 2, 2 * frames);
    EXPECT_NEAR(AmplitudeOf(samples, kLow, frames - 2 * kWindow), 1.0, 0.02);
    EXPECT_NEAR(AmplitudeOf(samples, kHigh, frames + kWindow), 1.0, 0.02);
}

// Next crossfades only with its own switch on; then the new track rises at once while the
// old one falls from where it was.
TEST_F(CrossfadePlay, AManualNextFadesOnlyWhenItsSwitchIsOn) {
    for (const bool manual : {false, true}) {
        playbackSettings().crossfadeManual = manual;
        FileOutputRun run({tone(kLow, 300), tone(kHigh, 215)});
        const std::vector<short> samples = run.PlayToEnd(30000, [&] {
            tavi::test::processEventsFor(1000);
            run.player->NextCommand();
            EXPECT_EQ(run.player->FadingOutTrack() != nullptr, manual) << manual;
        });
        ASSERT_FALSE(samples.empty()) << manual;
        EXPECT_EQ(run.crossfades, manual ? 1 : 0);
        size_t start = 0;  // where the second track is first heard
        while (start + kWindow < samples.size() / 2 && AmplitudeOf(samples, kHigh, start) < 0.05) {
            start += kWindow / 4;
        }
        const double lowAfterOneSecond = AmplitudeOf(samples, kLow, start + kRate);
        const double highAfterOneSecond = AmplitudeOf(samples, kHigh, start + kRate);
        if (manual) {
            EXPECT_NEAR(lowAfterOneSecond, std::cos(std::numbers::pi / 4), 0.1);
            EXPECT_NEAR(highAfterOneSecond, std::sin(std::numbers::pi / 4), 0.1);
            EXPECT_LT(AmplitudeOf(samples, kLow, start + 2 * kRate + kWindow), 0.02);
        } else {
            EXPECT_LT(lowAfterOneSecond, 0.01) << "cut at once";
            EXPECT_NEAR(highAfterOneSecond, 1.0, 0.02);
        }
    }
}

// A seek during a crossfade moves the new track and leaves the old one fading; a stop
// silences both: nothing of either is written after it.
TEST_F(CrossfadePlay, ASeekKeepsTheCrossfadeAndAStopDropsBothTracks) {
    playbackSettings().crossfadeManual = true;
    FileOutputRun run({tone(kLow, 300), tone(kHigh, 300)});
    const std::vector<short> samples = run.PlayToEnd(10000, [&] {
        tavi::test::processEventsFor(1000);
        run.player->NextCommand();
        tavi::test::processEventsFor(300);
        run.player->SeekTo(3.0);
        tavi::test::processEventsFor(200);
        EXPECT_NE(run.player->FadingOutTrack(), nullptr) << "the seek leaves the fade going";
        EXPECT_TRUE(run.player->IsPlaying());
        run.player->StopCommand();
        EXPECT_EQ(run.player->FadingOutTrack(), nullptr);
        EXPECT_FALSE(run.player->IsPlaying());
    });
    ASSERT_FALSE(samples.empty());
    EXPECT_LT(samples.size() / 2, size_t(kRate * 2)) << "about 1.5 s played, not the fade's end";
}
