// Loudness tags in every tag format TagLib writes for the files Linux users keep, encoded
// here by GStreamer and tagged by TagLib; and the texts taggers write.
#include "formats/metadata/ReplayGainTags.h"
#include "support/TagWriter.h"
#include "support/TestMedia.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <taglib/apetag.h>
#include <taglib/mp4file.h>
#include <taglib/mp4tag.h>

using tavi::formats::ParseGainText;
using tavi::formats::ParsePeakText;
using tavi::formats::ReadReplayGainTags;
using tavi::formats::ReplayGainTags;

namespace {

struct Format {
    const char* name;
    const char* file;
    const char* encoder;  // "%aac": the first AAC encoder this machine has; "mp3": MakeMp3
};

void PrintTo(const Format& format, std::ostream* out) {
    *out << format.name;
}

const Format kFormats[] = {
    {"FLAC (Vorbis comments)", "a.flac", "flacenc"},
    {"Ogg Vorbis", "a.ogg", "vorbisenc ! oggmux"},
    {"Opus", "a.opus", "opusenc ! oggmux"},
    {"M4A (freeform atoms)", "a.m4a", "%aac ! mp4mux"},
    {"WavPack (APE)", "a.wv", "wavpackenc"},
    {"MP3 (ID3v2 TXXX)", "a.mp3", "mp3"},
};

const tavi::test::Tags kGainTags{{"REPLAYGAIN_TRACK_GAIN", QStringLiteral("-6.50 dB")},
                                 {"REPLAYGAIN_TRACK_PEAK", QStringLiteral("0.912345")},
                                 {"REPLAYGAIN_ALBUM_GAIN", QStringLiteral("+1.25 dB")},
                                 {"REPLAYGAIN_ALBUM_PEAK", QStringLiteral("1.020000")},
                                 {"ALBUM", QStringLiteral("Kvällar")}};

bool MakeFile(const Format& format, const QString& path) {
    const QString chain = QString::fromLatin1(format.encoder);
    if (chain == QLatin1String("mp3")) {
        return tavi::test::MakeMp3(path, 0.3);
    }
    QString resolved = chain;
    if (chain.contains(QLatin1String("%aac"))) {
        const QString aac = tavi::test::FirstElement({"fdkaacenc", "voaacenc", "avenc_aac"});
        if (aac.isEmpty()) {
            return false;
        }
        resolved.replace(QLatin1String("%aac"), aac);
    }
    const QString first = resolved.section(QLatin1Char(' '), 0, 0);
    return !tavi::test::FirstElement({first.toLatin1().constData()}).isEmpty() &&
           tavi::test::MakeEncoded(path, 0.3, resolved);
}

// MP4 files carry the gains as freeform atoms, named in lower case by the usual taggers.
bool TagM4a(const QString& path, const tavi::test::Tags& tags) {
    TagLib::MP4::File file(QFile::encodeName(path).constData());
    for (const auto& [name, value] : tags) {
        const QString key = name == "ALBUM" ? QStringLiteral("\u00A9alb")
                                            : QStringLiteral("----:com.apple.iTunes:") +
                                                  QString::fromStdString(name).toLower();
        file.tag()->setItem(tavi::test::Utf(key), TagLib::StringList(tavi::test::Utf(value)));
    }
    return file.save();
}

class ReplayGainTagsTest : public testing::TestWithParam<Format> {};

}  // namespace

TEST_P(ReplayGainTagsTest, GainsPeaksAndAlbumAreRead) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QString::fromLatin1(GetParam().file));
    if (!MakeFile(GetParam(), path)) {
        GTEST_SKIP() << "no encoder for " << GetParam().name;
    }
    EXPECT_FALSE(ReadReplayGainTags(path).trackGainDb) << "untagged";
    const bool m4a = path.endsWith(QLatin1String(".m4a"));
    ASSERT_TRUE(m4a ? TagM4a(path, kGainTags) : tavi::test::TagFile(path, kGainTags));
    const ReplayGainTags tags = ReadReplayGainTags(path);
    ASSERT_TRUE(tags.trackGainDb && tags.trackPeak && tags.albumGainDb && tags.albumPeak);
    EXPECT_DOUBLE_EQ(*tags.trackGainDb, -6.5);
    EXPECT_DOUBLE_EQ(*tags.trackPeak, 0.912345);
    EXPECT_DOUBLE_EQ(*tags.albumGainDb, 1.25);
    EXPECT_DOUBLE_EQ(*tags.albumPeak, 1.02);
    EXPECT_EQ(tags.album, QStringLiteral("Kvällar"));
}

INSTANTIATE_TEST_SUITE_P(Formats, ReplayGainTagsTest, testing::ValuesIn(kFormats));

// An MP3 may carry an APE tag instead of ID3v2; TagLib reads both into one map.
TEST(ReplayGainTags, AnApeTagOnAnMp3IsRead) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ape.mp3"));
    ASSERT_TRUE(tavi::test::MakePlainMp3(path, 0.3));
    {
        TagLib::MPEG::File file(QFile::encodeName(path).constData());
        file.APETag(true)->addValue("REPLAYGAIN_TRACK_GAIN", "-2.00 dB");
        ASSERT_TRUE(file.save(TagLib::MPEG::File::APE));
    }
    const ReplayGainTags tags = ReadReplayGainTags(path);
    ASSERT_TRUE(tags.trackGainDb);
    EXPECT_DOUBLE_EQ(*tags.trackGainDb, -2.0);
    EXPECT_FALSE(tags.trackPeak);
}

// Opus files measured for R128 only: Q7.8 steps relative to -23 LUFS, 5 dB below the
// ReplayGain reference. A ReplayGain tag, where there is one, wins.
TEST(ReplayGainTags, OpusR128GainsAreTakenWhenNoReplayGainTagIs) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("r128.opus"));
    if (tavi::test::FirstElement({"opusenc"}).isEmpty()) {
        GTEST_SKIP() << "no Opus encoder";
    }
    ASSERT_TRUE(tavi::test::MakeEncoded(path, 0.3, QStringLiteral("opusenc ! oggmux")));
    ASSERT_TRUE(tavi::test::TagFile(path, {{"R128_TRACK_GAIN", QStringLiteral("-2560")},
                                           {"R128_ALBUM_GAIN", QStringLiteral("256")}}));
    ReplayGainTags tags = ReadReplayGainTags(path);
    ASSERT_TRUE(tags.trackGainDb && tags.albumGainDb);
    EXPECT_DOUBLE_EQ(*tags.trackGainDb, -5.0);
    EXPECT_DOUBLE_EQ(*tags.albumGainDb, 6.0);
    ASSERT_TRUE(tavi::test::TagFile(path, {{"R128_TRACK_GAIN", QStringLiteral("-2560")},
                                           {"REPLAYGAIN_TRACK_GAIN", QStringLiteral("-1 dB")}}));
    tags = ReadReplayGainTags(path);
    ASSERT_TRUE(tags.trackGainDb);
    EXPECT_DOUBLE_EQ(*tags.trackGainDb, -1.0);
}

TEST(ReplayGainTags, TextsTaggersWriteAreParsedAndOthersRefused) {
    const std::pair<const char*, std::optional<double>> gains[] = {
        {"-6.00 dB", -6.0},         {"+3.5 dB", 3.5},
        {"  -0.25dB ", -0.25},      {"2", 2.0},
        {"-7.1 DB", -7.1},          {".5 dB", 0.5},
        {"", std::nullopt},         {"dB", std::nullopt},
        {"-6,0 dB", std::nullopt},  // a comma is no decimal point here
        {"1e400 dB", std::nullopt}, {"-6 dB x", std::nullopt},
        {"nan", std::nullopt},      {"250 dB", std::nullopt},  // past any real correction
    };
    for (const auto& [text, expected] : gains) {
        EXPECT_EQ(ParseGainText(QString::fromLatin1(text)), expected) << text;
    }
    EXPECT_EQ(ParsePeakText(QStringLiteral("0.988831")), 0.988831);
    EXPECT_EQ(ParsePeakText(QStringLiteral("1.5")), 1.5);
    for (const char* refused : {"0", "-0.5", "", "peak", "inf"}) {
        EXPECT_FALSE(ParsePeakText(QString::fromLatin1(refused))) << refused;
    }
    EXPECT_FALSE(ReadReplayGainTags(QStringLiteral("/no/such/file.flac")).trackGainDb);
    EXPECT_FALSE(ReadReplayGainTags(QStringLiteral("http://example.org/a.mp3")).trackGainDb);
}
