#include "FormatsTestFiles.h"
#include "formats/CPlaylistFile.h"
#include "formats/Rotation.h"
#include "platform/fs/AtomicFile.h"

#include <gtest/gtest.h>

#include <set>

using tavi::formats::CPlaylistFile;
using tavi::formats::RotationNext;
using tavi::test::PlaylistFolder;

namespace {

struct PlsCase {
    const char* name;
    QByteArray bytes;
    QStringList entries;
    int nextIndex;
};

class PlsRead : public testing::TestWithParam<PlsCase> {};

QByteArray five(const char* next) {
    return QByteArray(
               "[playlist]\nNumberOfEntries=5\nFile1=/1\nFile2=/2\nFile3=/3\nFile4=/4\nFile5=/"
               "5\n") +
           "NextIndex=" + next + "\n";
}

const QStringList kFive = tavi::test::Strings({"/1", "/2", "/3", "/4", "/5"});

const PlsCase kPlsCases[] = {
    {"NextIndex3", five("3"), kFive, 2},
    {"NextIndexBeyondEntries", five("9"), kFive, 0},
    {"NextIndexZeroGivesMinusOne", five("0"), kFive, -1},
    {"NoNextIndex", "[playlist]\nNumberOfEntries=1\nFile1=/1\n", tavi::test::Strings({"/1"}), 0},
    {"CountLargerThanKeysPresent", "[playlist]\nNumberOfEntries=3\nFile1=/1\nFile3=/3\n",
     tavi::test::Strings({"/1", "/3"}), 0},
    {"CountSmallerThanKeysPresent", "[playlist]\nNumberOfEntries=2\nFile1=/1\nFile2=/2\nFile3=/3\n",
     tavi::test::Strings({"/1", "/2"}), 0},
    {"HugeCountCostsNothing", "[playlist]\nNumberOfEntries=2000000000\nFile2=/2\n",
     tavi::test::Strings({"/2"}), 0},
    {"NamesIgnoreCaseAndValuesLoseQuotes",
     "[other]\nFile1=/x\n[PlayList]\r\nnumberofentries = 2\r\nFILE2 = \"/b\" \r\nfile1=/a\r\n",
     tavi::test::Strings({"/a", "/b"}), 0},
    {"EmptyValuesSkippedAndFile01NotFile1",
     "[playlist]\nNumberOfEntries=2\nFile01=/x\nFile2=\n",
     {},
     0},
    {"NoSection", "File1=/1\nNumberOfEntries=1\n", {}, 0},
    {"RelativeEntriesAgainstTheFilesFolder", "[playlist]\nNumberOfEntries=1\nFile1=a\\b.mp3\n",
     tavi::test::Strings({"<folder>/a/b.mp3"}), 0},
};

TEST_P(PlsRead, EntriesAndNextIndex) {
    PlaylistFolder folder;
    CPlaylistFile list;
    list.Load(folder.write(QStringLiteral("x.pls"), GetParam().bytes));
    QStringList expected = GetParam().entries;
    expected.replaceInStrings(QStringLiteral("<folder>"), folder.root());
    EXPECT_EQ(list.Entries(), expected);
    EXPECT_EQ(list.NextIndex(), GetParam().nextIndex);
}

INSTANTIATE_TEST_SUITE_P(Cases, PlsRead, testing::ValuesIn(kPlsCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PlsFile, MissingFileIsEmpty) {
    PlaylistFolder folder;
    CPlaylistFile list;
    list.SetNextIndex(4);
    list.Load(folder.path(QStringLiteral("none.pls")));
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.NextIndex(), 0);
}

TEST(PlsFile, LongValuesAreCutTo1022Characters) {
    PlaylistFolder folder;
    const QByteArray value = "/" + QByteArray(2000, 'a');
    CPlaylistFile list;
    list.Load(folder.write(QStringLiteral("x.pls"),
                           "[playlist]\nNumberOfEntries=1\nFile1=" + value + "\n"));
    ASSERT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list.GetAt(0).size(), 1022);
}

TEST(PlsFile, SaveOverExistingLeavesNoOldKeysOrSections) {
    PlaylistFolder folder;
    const QString path =
        folder.write(QStringLiteral("x.pls"),
                     "[other]\nKeep=no\n[playlist]\nNumberOfEntries=9\nFile9=/old\n"
                     "Title1=Old\nVersion=2\n");
    CPlaylistFile list;
    list.Entries() = tavi::test::Strings({"/new"});
    list.SetNextIndex(0);
    list.Save(path);
    EXPECT_EQ(folder.read(QStringLiteral("x.pls")),
              "[playlist]\r\nFile1=/new\r\nNumberOfEntries=1\r\nNextIndex=1\r\n");
}

QString rotation(const PlaylistFolder& folder, const QByteArray& extra) {
    return folder.write(
        QStringLiteral("r.rotation"),
        "[playlist]\r\nFile1=a\r\nFile2=b\r\nFile3=c\r\nNumberOfEntries=3\r\n" + extra);
}

TEST(Rotation, HandsOutEntriesInTurn) {
    PlaylistFolder folder;
    const QString path = rotation(folder, "NextIndex=1\r\n");
    const char* expected[][2] = {{"a", "2"}, {"b", "3"}, {"c", "1"}, {"a", "2"}};
    for (const auto& step : expected) {
        EXPECT_EQ(RotationNext(path), QLatin1String(step[0]));
        EXPECT_TRUE(
            folder.read(QStringLiteral("r.rotation")).contains(QByteArray("NextIndex=") + step[1]));
    }
    EXPECT_EQ(folder.files(), QStringList{QStringLiteral("r.rotation")});
}

TEST(Rotation, WrapWithShuffleRewritesTheFilesWithRModuloM) {
    PlaylistFolder folder;
    const QString path = rotation(folder, "NextIndex=3\r\nShuffle=1\r\n");
    QList<int> draws = {32767, 4, 9};  // j = 32767 % 3 = 1, 4 % 2 = 0, 9 % 1 = 0
    EXPECT_EQ(RotationNext(path, [&] { return draws.takeFirst(); }), QStringLiteral("c"));
    EXPECT_EQ(folder.read(QStringLiteral("r.rotation")),
              "[playlist]\r\nFile1=c\r\nFile2=a\r\nFile3=b\r\nNumberOfEntries=3\r\nNextIndex=1\r\n"
              "Shuffle=1\r\n");
}

TEST(Rotation, ShuffleCanProduceEveryPermutation) {
    std::set<QString> orders;
    for (int first = 0; first < 3; ++first) {
        for (int second = 0; second < 2; ++second) {
            PlaylistFolder folder;
            const QString path = rotation(folder, "NextIndex=3\r\nShuffle=1\r\n");
            QList<int> draws = {first, second, 0};
            RotationNext(path, [&] { return draws.takeFirst(); });
            CPlaylistFile list;
            list.Load(path);
            orders.insert(list.Entries().join(u','));
        }
    }
    EXPECT_EQ(orders.size(), 6u);
}

TEST(Rotation, EmptyOrOverrunRotationGivesEmptyTextAndRestarts) {
    PlaylistFolder folder;
    const QString empty =
        folder.write(QStringLiteral("e.rotation"), "[playlist]\r\nNumberOfEntries=0\r\n");
    EXPECT_EQ(RotationNext(empty), QString());
    EXPECT_TRUE(folder.read(QStringLiteral("e.rotation")).contains("NextIndex=1\r\n"));
    const QString overrun = rotation(folder, "NextIndex=7\r\n");
    EXPECT_EQ(RotationNext(overrun), QString());
    EXPECT_EQ(RotationNext(overrun), QStringLiteral("a"));
}

TEST(Rotation, FailedRewriteStillReturnsTheEntryAndKeepsTheFile) {
    PlaylistFolder folder;
    const QString path = rotation(folder, "NextIndex=2\r\n");
    const QByteArray before = folder.read(QStringLiteral("r.rotation"));
    tavi::fs::AtomicFile::setBeforeRenameHook([](const QString&) { return false; });
    EXPECT_EQ(RotationNext(path), QStringLiteral("b"));
    tavi::fs::AtomicFile::setBeforeRenameHook({});
    EXPECT_EQ(folder.read(QStringLiteral("r.rotation")), before);
    EXPECT_EQ(folder.files(), QStringList{QStringLiteral("r.rotation")});
}

}  // namespace
