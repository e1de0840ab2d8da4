#include "app/settings/ViewSettings.h"
#include "formats/metadata/CMediaFile.h"
#include "support/SettingsScope.h"
#include "support/TagWriter.h"
#include "support/TestMedia.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <chrono>
#include <future>
#include <thread>
#include <vector>

using tavi::formats::CMediaFile;
using tavi::test::Tags;

namespace {

class DisplayName : public testing::Test {
protected:
    static void SetUpTestSuite() {
        s_dir = new QTemporaryDir;
        s_mp3 = s_dir->filePath(QStringLiteral("template.mp3"));
        ASSERT_TRUE(tavi::test::MakeMp3(s_mp3, 0.2));
    }
    static void TearDownTestSuite() { delete s_dir; }
    void SetUp() override { tavi::settings::viewSettings().useMetaData = true; }
    tavi::test::SettingsScope m_settings;  // defaults for each test, the old values after
    // A copy of the template MP3 under the given name, with the given tags.
    QString mp3(const QString& name, const Tags& tags) {
        const QString path = s_dir->filePath(name);
        QFile::remove(path);
        QFile::copy(s_mp3, path);
        EXPECT_TRUE(tavi::test::TagMp3(path, tags));
        return path;
    }
    QString nameOf(const QString& path,
                   const QString& pattern = QStringLiteral("$(Artist) - $(Title)")) {
        tavi::settings::viewSettings().displayNameFormat = pattern;
        return CMediaFile(path).GetDisplayName();
    }

    static inline QTemporaryDir* s_dir = nullptr;
    static inline QString s_mp3;
};

}  // namespace

TEST_F(DisplayName, TagsFillThePatternWithTheFallbacksForMissingParts) {
    const Tags abba{{"ARTIST", QStringLiteral("Abba")}, {"TITLE", QStringLiteral("Waterloo")}};
    EXPECT_EQ(nameOf(mp3(QStringLiteral("a.mp3"), abba)), QStringLiteral("Abba - Waterloo"));
    EXPECT_EQ(nameOf(mp3(QStringLiteral("track01.mp3"), {{"ARTIST", QStringLiteral("Abba")}})),
              QStringLiteral("Abba - track01"));
    EXPECT_EQ(nameOf(mp3(QStringLiteral("b.mp3"), {{"TITLE", QStringLiteral("Waterloo")}})),
              QStringLiteral(" - Waterloo"));
    const Tags noNames{{"ALBUM", QStringLiteral("Gold")},
                       {"DATE", QStringLiteral("1974")},
                       {"GENRE", QStringLiteral("Pop")}};
    EXPECT_EQ(nameOf(mp3(QStringLiteral("plain name.mp3"), noNames), QStringLiteral("$(Album)")),
              QStringLiteral("plain name"));
}

TEST_F(DisplayName, PatternLanguage) {
    const QString waterloo = mp3(QStringLiteral("w.mp3"), {{"TITLE", QStringLiteral("Waterloo")}});
    EXPECT_EQ(nameOf(waterloo, QStringLiteral("$(Title) [$(Year)]")),
              QStringLiteral("Waterloo []"));
    EXPECT_EQ(nameOf(waterloo, QStringLiteral("$(artist)")), QStringLiteral("$(artist)"));
    const QString year = mp3(QStringLiteral("y.mp3"), {{"ARTIST", QStringLiteral("$(Year)")},
                                                       {"DATE", QStringLiteral("1974")}});
    EXPECT_EQ(nameOf(year, QStringLiteral("$(Artist)")), QStringLiteral("1974"));
    const QString song = mp3(QStringLiteral("Song~2.mp3"), {{"TITLE", QStringLiteral("Song")}});
    EXPECT_EQ(nameOf(song, QStringLiteral("$(Title)$(Overlap)")), QStringLiteral("Song~2"));
    const Tags all{{"ARTIST", QStringLiteral("A")},  {"TITLE", QStringLiteral("T")},
                   {"ALBUM", QStringLiteral("Al")},  {"COPYRIGHT", QStringLiteral("C")},
                   {"COMMENT", QStringLiteral("D")}, {"GENRE", QStringLiteral("G")},
                   {"DATE", QStringLiteral("1999")}};
    EXPECT_EQ(nameOf(mp3(QStringLiteral("all.mp3"), all),
                     QStringLiteral("$(Artist)|$(Title)|$(Album)|$(Copyright)|$(Description)|$("
                                    "Genre)|$(Year)|$(Overlap)")),
              QStringLiteral("A|T|Al|C|D|G|1999|"));
}

TEST_F(DisplayName, TagsAreReadOnlyWhenSwitchedOnAndOnlyForKnownKinds) {
    const Tags abba{{"ARTIST", QStringLiteral("Abba")}, {"TITLE", QStringLiteral("Waterloo")}};
    const QString tagged = mp3(QStringLiteral("Abba - Waterloo (file).mp3"), abba);
    tavi::settings::viewSettings().useMetaData = false;
    EXPECT_EQ(CMediaFile(tagged).GetDisplayName(), QStringLiteral("Abba - Waterloo (file)"));
    tavi::settings::viewSettings().useMetaData = true;
    EXPECT_EQ(nameOf(mp3(QStringLiteral("SONG.MP3"), abba)), QStringLiteral("Abba - Waterloo"));

    const QString ogg = s_dir->filePath(QStringLiteral("tagged.ogg"));
    ASSERT_TRUE(tavi::test::MakeOgg(ogg, 0.2));
    ASSERT_TRUE(tavi::test::TagOgg(ogg, abba));
    EXPECT_EQ(nameOf(ogg), QStringLiteral("Abba - Waterloo")) << "Vorbis comments are tags";
    // A kind without a reader has no tags even when its bytes carry some.
    const QString au = s_dir->filePath(QStringLiteral("tagged.au"));
    ASSERT_TRUE(QFile::copy(tagged, au));
    EXPECT_EQ(nameOf(au), QStringLiteral("tagged"));
    CMediaFile auFile(au);
    EXPECT_EQ(auFile.GetMetaData(), nullptr);
}

TEST_F(DisplayName, OverlongTagsCountAsAbsent) {
    const QString path =
        mp3(QStringLiteral("long.mp3"),
            {{"ARTIST", QStringLiteral("Abba")}, {"TITLE", QString(600, QLatin1Char('x'))}});
    EXPECT_EQ(nameOf(path), QStringLiteral("Abba - long"));
    const QString limit =
        mp3(QStringLiteral("limit.mp3"), {{"TITLE", QString(511, QLatin1Char('y'))}});
    EXPECT_EQ(nameOf(limit, QStringLiteral("$(Title)")).size(), 511);
}

TEST_F(DisplayName, WaveFilesShowTheirInfoAuthorAndTitle) {
    const QString wav = s_dir->filePath(QStringLiteral("speech.wav"));
    ASSERT_TRUE(tavi::test::MakeWav(wav, 0.2));
    EXPECT_EQ(nameOf(wav), QStringLiteral("speech")) << "no INFO list: no tags";
    ASSERT_TRUE(tavi::test::TagWav(wav, {{"IART", QStringLiteral("Narrator")},
                                         {"INAM", QStringLiteral("Chapter 1")},
                                         {"ICOP", QStringLiteral("(c) Us")}}));
    EXPECT_EQ(nameOf(wav), QStringLiteral("Narrator - Chapter 1"));
    EXPECT_EQ(nameOf(wav, QStringLiteral("$(Copyright)")), QStringLiteral("(c) Us"));
    CMediaFile file(wav);
    ASSERT_NE(file.GetMetaData(), nullptr);
    QString album;
    EXPECT_FALSE(file.GetMetaData()->GetAlbum(album)) << "wave files carry no album here";
}

TEST_F(DisplayName, NumericAttributesOfAnMp3) {
    CMediaFile file(mp3(QStringLiteral("n.mp3"), {{"TITLE", QStringLiteral("x")}}));
    ASSERT_NE(file.GetMetaData(), nullptr);
    double seconds = 0;
    uint32_t rate = 0, channels = 0, size = 0;
    EXPECT_TRUE(file.GetMetaData()->GetDuration(seconds));
    EXPECT_NEAR(seconds, 0.2, 0.1);  // whole MP3 frames and encoder padding
    EXPECT_TRUE(file.GetMetaData()->GetSampleRate(rate));
    EXPECT_EQ(rate, 44100u);
    EXPECT_TRUE(file.GetMetaData()->GetChannels(channels));
    EXPECT_EQ(channels, 2u);
    EXPECT_TRUE(file.GetMetaData()->GetFileSize(size));
    EXPECT_GT(size, 1000u);
}

TEST_F(DisplayName, TheGivenOptionsDecideNotTheSettings) {
    const QString path = mp3(QStringLiteral("options.mp3"), {{"TITLE", QStringLiteral("Tune")}});
    tavi::settings::viewSettings().useMetaData = false;
    EXPECT_EQ(CMediaFile(path).GetDisplayName({true, QStringLiteral("<$(Title)>")}),
              QStringLiteral("<Tune>"));
    tavi::settings::viewSettings().useMetaData = true;
    EXPECT_EQ(CMediaFile(path).GetDisplayName({false, QStringLiteral("<$(Title)>")}),
              QStringLiteral("options"));
}

// Opening a FIFO without a writer would wait for one for ever; a folder cannot be read.
TEST_F(DisplayName, OnlyRegularFilesAreOpened) {
    const QString fifo = s_dir->filePath(QStringLiteral("pipe.mp3"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const CMediaFile::NameOptions options{true, QStringLiteral("$(Title)")};
    auto name = std::async(std::launch::async,
                           [&fifo, &options] { return CMediaFile(fifo).GetDisplayName(options); });
    if (name.wait_for(std::chrono::seconds(20)) != std::future_status::ready) {
        const int writer = ::open(QFile::encodeName(fifo).constData(), O_WRONLY);  // lets it end
        ::close(writer);
        FAIL() << "the FIFO was opened";
    }
    EXPECT_EQ(name.get(), QStringLiteral("pipe"));
    ASSERT_TRUE(QDir(s_dir->path()).mkdir(QStringLiteral("folder.avi")));
    EXPECT_EQ(nameOf(s_dir->filePath(QStringLiteral("folder.avi"))), QStringLiteral("folder"));
}

// The list reads names on several threads at once, one file per reader.
TEST_F(DisplayName, ReadersOnSeveralThreadsAtOnceAgreeWithOneThread) {
    const QString avi = s_dir->filePath(QStringLiteral("clip.avi"));
    ASSERT_TRUE(tavi::test::MakeAvi(avi, 0.5, QStringLiteral("artist=Ann,title=Clip")));
    const QString wav = s_dir->filePath(QStringLiteral("voice.wav"));
    ASSERT_TRUE(tavi::test::MakeWav(wav, 0.1));
    ASSERT_TRUE(tavi::test::TagWav(
        wav, {{"IART", QStringLiteral("Bo")}, {"INAM", QStringLiteral("Talk")}}));
    std::vector<QString> paths{avi, wav};
    for (int i = 0; i < 16; ++i) {
        paths.push_back(mp3(QStringLiteral("many%1.mp3").arg(i),
                            {{"ARTIST", QStringLiteral("Band %1").arg(i)},
                             {"TITLE", QStringLiteral("Song %1").arg(i)}}));
    }
    const CMediaFile::NameOptions options{true, QStringLiteral("$(Artist) - $(Title)")};
    std::vector<QString> expected;
    for (const QString& path : paths) {
        expected.push_back(CMediaFile(path).GetDisplayName(options));
    }
    EXPECT_EQ(expected[0], QStringLiteral("Ann - Clip"));
    EXPECT_EQ(expected[1], QStringLiteral("Bo - Talk"));
    EXPECT_EQ(expected[2], QStringLiteral("Band 0 - Song 0"));
    std::vector<std::vector<QString>> read(4);
    std::vector<std::thread> threads;
    for (auto& names : read) {
        threads.emplace_back([&paths, &options, &names] {
            for (int round = 0; round < 3; ++round) {
                names.clear();
                for (const QString& path : paths) {
                    names.push_back(CMediaFile(path).GetDisplayName(options));
                }
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    for (const auto& names : read) {
        EXPECT_EQ(names, expected);
    }
}
