// Loudness correction heard on the file output: tracks tagged with their gain play that much
// quieter or louder from the first sample, files without tags at the fallback, albums at the
// album's gain; with the correction off nothing changes.
#include "app/settings/PlaybackSettings.h"
#include "engines/player/FileOutputRun.h"
#include "engines/player/TrackGain.h"
#include "support/PlaybackEnvironment.h"
#include "support/TagWriter.h"
#include "support/TestMedia.h"

#include <gtest/gtest.h>

using tavi::settings::PlaybackSettings;
using tavi::settings::playbackSettings;
using tavi::test::FileOutputRun;
using tavi::test::RmsDb;
using Mode = PlaybackSettings::GainMode;

namespace {

constexpr double kSeconds = 1.0;
constexpr size_t kFrames = 43 * 1024;  // what MakeFlac writes for a second

class ReplayGainPlay : public testing::Test {
protected:
    void SetUp() override { tavi::test::PrepareForPlayback(); }

    // A second of tone, losslessly encoded, with the given tags.
    QString flac(const tavi::test::Tags& tags) {
        const QString path = dir.filePath(QStringLiteral("t%1.flac").arg(++made));
        EXPECT_TRUE(tavi::test::RunPipeline(
            QStringLiteral("audiotestsrc num-buffers=%1 ! audio/x-raw,rate=44100,channels=2 ! "
                           "audioconvert ! flacenc ! filesink location=%2")
                .arg(tavi::test::BuffersFor(kSeconds))
                .arg(tavi::test::Quoted(path))));
        if (!tags.empty()) {
            EXPECT_TRUE(tavi::test::TagFile(path, tags));
        }
        return path;
    }
    // The level of each entry played one after the other, measured inside each second.
    std::vector<double> levels(const QStringList& entries) {
        FileOutputRun run(entries);
        const std::vector<short> samples = run.PlayToEnd(20000);
        EXPECT_GE(samples.size(), entries.size() * kFrames * 2);
        std::vector<double> result;
        for (qsizetype i = 0; i < entries.size(); ++i) {
            const size_t start = size_t(i) * kFrames;
            result.push_back(RmsDb(samples, start + 2000, start + kFrames - 2000));
        }
        return result;
    }

    QTemporaryDir dir;
    int made = 0;
};

tavi::test::Tags trackGain(const char* gain, const char* peak = "0.5") {
    return {{"REPLAYGAIN_TRACK_GAIN", QString::fromLatin1(gain)},
            {"REPLAYGAIN_TRACK_PEAK", QString::fromLatin1(peak)}};
}

}  // namespace

TEST_F(ReplayGainPlay, TrackGainPreampFallbackAndClippingPrevention) {
    const QString plain = flac({});
    const QString quieter = flac(trackGain("-6.00 dB"));
    const QString louder = flac(trackGain("+6.00 dB", "0.8"));  // the tone's own peak
    const double reference = levels({plain})[0];

    playbackSettings().gainMode = Mode::Off;
    EXPECT_NEAR(levels({quieter})[0], reference, 0.01) << "off: the tags change nothing";

    playbackSettings().gainMode = Mode::Track;
    playbackSettings().fallbackTenthsDb = -30;
    const std::vector<double> heard = levels({quieter, plain});
    EXPECT_NEAR(heard[0], reference - 6.0, 0.1) << "the tagged gain";
    EXPECT_NEAR(heard[1], reference - 3.0, 0.1) << "the fallback, for a file without tags";

    playbackSettings().preampTenthsDb = 25;
    EXPECT_NEAR(levels({quieter})[0], reference - 3.5, 0.1) << "the preamp adds to the tag";

    playbackSettings().preampTenthsDb = 0;
    EXPECT_NEAR(levels({louder})[0], reference + 20 * std::log10(1 / 0.8), 0.1)
        << "raised only as far as the peak allows";
    playbackSettings().preventClipping = false;
    EXPECT_GT(levels({louder})[0], reference + 3.0) << "raised by the tag, clipping";
}

// Two consecutive entries of one album play at the album's gain; an entry of another album
// between others plays at its own track gain.
TEST_F(ReplayGainPlay, AlbumModeUsesTheAlbumGainForNeighboursOfOneAlbum) {
    auto tags = [](const char* album, const char* track) {
        tavi::test::Tags result = trackGain(track, "0.1");
        result["REPLAYGAIN_ALBUM_GAIN"] = QStringLiteral("-9.00 dB");
        result["REPLAYGAIN_ALBUM_PEAK"] = QStringLiteral("0.1");
        result["ALBUM"] = QString::fromLatin1(album);
        return result;
    };
    const QString reference = flac({});
    const QString first = flac(tags("North", "-3.00 dB"));
    const QString second = flac(tags("North", "-5.00 dB"));
    const QString single = flac(tags("South", "-2.00 dB"));
    const double plain = levels({reference})[0];

    playbackSettings().gainMode = Mode::Album;
    std::vector<double> heard = levels({first, second, single});
    EXPECT_NEAR(heard[0], plain - 9.0, 0.1);
    EXPECT_NEAR(heard[1], plain - 9.0, 0.1);
    EXPECT_NEAR(heard[2], plain - 2.0, 0.1) << "no neighbour of its album: its track gain";

    playbackSettings().gainMode = Mode::Track;
    heard = levels({first, second});
    EXPECT_NEAR(heard[0], plain - 3.0, 0.1);
    EXPECT_NEAR(heard[1], plain - 5.0, 0.1);
}

TEST(TrackGain, ChoosesTheGainAndLimitsItByThePeak) {
    PlaybackSettings settings;
    const tavi::engines::TrackGain gain(settings);
    tavi::formats::ReplayGainTags tags;
    tags.albumGainDb = -4.0;
    tags.albumPeak = 0.5;
    settings.gainMode = Mode::Track;
    EXPECT_NEAR(gain.FactorFor(tags, false), tavi::engines::TrackGain::DbToFactor(-4.0), 1e-6)
        << "only the album measured: its gain stands in";
    tags.trackGainDb = 10.0;
    tags.trackPeak = 0.25;
    EXPECT_NEAR(gain.FactorFor(tags, true), 3.162278f, 1e-5) << "track mode ignores albums";
    settings.preampTenthsDb = 60;
    EXPECT_NEAR(gain.FactorFor(tags, false), 4.0f, 1e-6) << "+16 dB held at 1/peak";
    settings.gainMode = Mode::Album;
    EXPECT_NEAR(gain.FactorFor(tags, true), tavi::engines::TrackGain::DbToFactor(2.0), 1e-6);
    tags.trackPeak.reset();
    settings.preventClipping = true;
    EXPECT_NEAR(gain.FactorFor(tags, false), tavi::engines::TrackGain::DbToFactor(16.0), 1e-4)
        << "no peak: nothing to hold it by";
    settings.gainMode = Mode::Off;
    EXPECT_EQ(gain.FactorFor(tags, true), 1.0f);
}
