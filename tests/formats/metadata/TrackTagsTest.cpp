// Tags of the formats Linux users keep music in, written into files GStreamer encoded here.
#include "app/settings/ViewSettings.h"
#include "formats/metadata/CMediaFile.h"
#include "formats/metadata/TrackTags.h"
#include "support/SettingsScope.h"
#include "support/TagWriter.h"
#include "support/TestMedia.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

using tavi::formats::CMediaFile;
using tavi::formats::ReadTrackTags;
using tavi::formats::TrackTags;

namespace {

struct Format {
    const char* name;
    const char* file;
    // The encoder chain; "%aac" is the first AAC encoder this machine has.
    const char* encoder;
};

void PrintTo(const Format& format, std::ostream* out) {
    *out << format.name;
}

const Format kFormats[] = {
    {"FLAC", "song.flac", "flacenc"},
    {"Ogg Vorbis", "song.ogg", "vorbisenc ! oggmux"},
    {"Ogg Vorbis as .oga", "song.oga", "vorbisenc ! oggmux"},
    {"Opus", "song.opus", "opusenc ! oggmux"},
    {"M4A", "song.m4a", "%aac ! mp4mux"},
    {"WavPack", "song.wv", "wavpackenc"},
};

const tavi::test::Tags kTags{
    {"ARTIST", QStringLiteral("Märta Ek")}, {"TITLE", QStringLiteral("Vinter")},
    {"ALBUM", QStringLiteral("Året runt")}, {"TRACKNUMBER", QStringLiteral("7/12")},
    {"DATE", QStringLiteral("2019")},       {"GENRE", QStringLiteral("Folk")}};

class TrackTagsTest : public testing::TestWithParam<Format> {
protected:
    // The encoder chain with "%aac" replaced; empty when this machine lacks an encoder.
    static QString EncoderChain(const Format& format) {
        QString chain = QString::fromLatin1(format.encoder);
        if (chain.contains(QLatin1String("%aac"))) {
            const QString aac = tavi::test::FirstElement({"fdkaacenc", "voaacenc", "avenc_aac"});
            if (aac.isEmpty()) {
                return {};
            }
            chain.replace(QLatin1String("%aac"), aac);
        }
        const QString first = chain.section(QLatin1Char(' '), 0, 0);
        return tavi::test::FirstElement({first.toLatin1().constData()}).isEmpty() ? QString()
                                                                                  : chain;
    }

    QTemporaryDir m_dir;
    tavi::test::SettingsScope m_settings;
};

}  // namespace

TEST_P(TrackTagsTest, TagsAndLengthAreReadAndNameTheEntry) {
    const Format& format = GetParam();
    const QString chain = EncoderChain(format);
    if (chain.isEmpty()) {
        GTEST_SKIP() << "this machine's GStreamer has no encoder for " << format.name;
    }
    const QString path = m_dir.filePath(QString::fromLatin1(format.file));
    ASSERT_TRUE(tavi::test::MakeEncoded(path, 1.5, chain)) << chain.toStdString();

    const TrackTags untagged = ReadTrackTags(path);
    EXPECT_TRUE(untagged.title.isEmpty());
    EXPECT_EQ(untagged.trackNumber, 0);
    ASSERT_TRUE(untagged.lengthSeconds) << "the header tells the length";
    EXPECT_NEAR(*untagged.lengthSeconds, 1.5, 0.2);

    ASSERT_TRUE(tavi::test::TagFile(path, kTags));
    const TrackTags tags = ReadTrackTags(path);
    EXPECT_EQ(tags.artist, QStringLiteral("Märta Ek"));
    EXPECT_EQ(tags.title, QStringLiteral("Vinter"));
    EXPECT_EQ(tags.album, QStringLiteral("Året runt"));
    EXPECT_EQ(tags.trackNumber, 7);
    EXPECT_EQ(tags.year, QStringLiteral("2019"));
    EXPECT_EQ(tags.genre, QStringLiteral("Folk"));

    tavi::settings::viewSettings().useMetaData = true;
    const CMediaFile::NameOptions options{
        true, QStringLiteral("$(Artist) - $(Title) ($(Album), $(Year))")};
    EXPECT_EQ(CMediaFile(path).GetDisplayName(options),
              QStringLiteral("Märta Ek - Vinter (Året runt, 2019)"));
    EXPECT_EQ(
        CMediaFile(path).GetDisplayName(CMediaFile::NameOptions{false, options.displayNameFormat}),
        QStringLiteral("song"))
        << "tags only with UseMetaData on";
}

INSTANTIATE_TEST_SUITE_P(LinuxFormats, TrackTagsTest, testing::ValuesIn(kFormats),
                         [](const testing::TestParamInfo<Format>& info) {
                             std::string name = info.param.file;
                             for (char& c : name) {
                                 c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             }
                             return name;
                         });

// An APE file needs an encoder no Debian GStreamer has, so the reader is shown to be chosen
// for the kind; a file that is not what its name says reads as untagged, never as a crash.
TEST(TrackTagsKinds, UnreadableFilesAndStreamsHaveNoTags) {
    QTemporaryDir dir;
    for (const char* name : {"fake.ape", "fake.flac", "fake.opus", "fake.m4a", "fake.wv"}) {
        const QString path = dir.filePath(QString::fromLatin1(name));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("not audio at all\n").repeated(64));
        file.close();
        const TrackTags tags = ReadTrackTags(path);
        EXPECT_TRUE(tags.artist.isEmpty()) << name;
        EXPECT_FALSE(tags.lengthSeconds) << name;
    }
    EXPECT_TRUE(ReadTrackTags(QStringLiteral("http://radio.example/live.flac")).title.isEmpty());
    EXPECT_TRUE(ReadTrackTags(dir.filePath(QStringLiteral("missing.flac"))).title.isEmpty());
}
