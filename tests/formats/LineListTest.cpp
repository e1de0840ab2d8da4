#include "FormatsTestFiles.h"
#include "formats/CPlaylistFile.h"
#include "platform/errors/CFileException.h"
#include "platform/fs/AtomicFile.h"

#include <gtest/gtest.h>

using tavi::errors::CFileException;
using tavi::formats::CPlaylistFile;
using tavi::test::Hex;
using tavi::test::PlaylistFolder;

namespace {

CPlaylistFile listOf(const QStringList& entries) {
    CPlaylistFile list;
    list.Entries() = entries;
    return list;
}

QStringList load(const QString& path) {
    CPlaylistFile list;
    list.Load(path);
    return list.Entries();
}

struct SaveCase {
    const char* name;
    const char* fileName;
    QStringList entries;
    QByteArray bytes;
};

class PlaylistSave : public testing::TestWithParam<SaveCase> {};

const QStringList kTwo = {QStringLiteral("/music/a.mp3"), QStringLiteral("/b.wav")};

const SaveCase kSaveCases[] = {
    {"EmptyAlbum", "x.alb", {}, "\xEF\xBB\xBF"},
    {"TwoEntryAlbum", "x.ALB", kTwo, "\xEF\xBB\xBF/music/a.mp3\r\n/b.wav\r\n"},
    {"MiniPlaylistHasMark", "x.mpl", kTwo, "\xEF\xBB\xBF/music/a.mp3\r\n/b.wav\r\n"},
    {"EmptyM3u", "x.m3u", {}, ""},
    {"TwoEntryM3u", "x.m3u", kTwo, "/music/a.mp3\r\n/b.wav\r\n"},
    {"SavedSearchNameWritesLineList", "x.search-ms", kTwo, "/music/a.mp3\r\n/b.wav\r\n"},
    {"FeedNameWritesLineList", "x.xml", kTwo, "/music/a.mp3\r\n/b.wav\r\n"},
    {"EmptyEntryIsBareCrLf", "x.alb", tavi::test::Strings({"", "/c"}), "\xEF\xBB\xBF\r\n/c\r\n"},
    {"EmptyPls", "x.pls", {}, "[playlist]\r\nNumberOfEntries=0\r\nNextIndex=1\r\n"},
    {"ThreeEntryPls", "x.pls", tavi::test::Strings({"/a", "/b", "/c"}),
     "[playlist]\r\nFile1=/a\r\nFile2=/b\r\nFile3=/c\r\nNumberOfEntries=3\r\nNextIndex=1\r\n"},
    {"RotationIsPlsLayout", "x.rotation", tavi::test::Strings({"/a"}),
     "[playlist]\r\nFile1=/a\r\nNumberOfEntries=1\r\nNextIndex=1\r\n"},
};

TEST_P(PlaylistSave, ExactBytes) {
    const SaveCase& c = GetParam();
    PlaylistFolder folder;
    listOf(c.entries).Save(folder.path(QString::fromLatin1(c.fileName)));
    EXPECT_EQ(Hex(folder.read(QString::fromLatin1(c.fileName))).toStdString(),
              Hex(c.bytes).toStdString());
    EXPECT_EQ(folder.files().size(), 1) << "no temporary file is left";
}

INSTANTIATE_TEST_SUITE_P(Cases, PlaylistSave, testing::ValuesIn(kSaveCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LineList, BlanksCommentsAndResolution) {
    PlaylistFolder folder;
    const QString path = folder.write(QStringLiteral("lists/x.m3u"),
                                      "#EXTM3U\r\n"
                                      "#EXTINF:123,Artist - Title\r\n"
                                      "music\\a.mp3 \t\r\n"
                                      "\r\n"
                                      "   \r\n"
                                      " #not a comment\r\n"
                                      "..\\b.mp3\r\n"
                                      "./c/../d.mp3\r\n"
                                      "/abs/e.mp3\r\n"
                                      "http://host/stream.mp3\r\n"
                                      "10.PAUSE\r\n"
                                      "song.mp3.jingle\r\n"
                                      "C:\\Music\\f.mp3\r\n"
                                      "\\\\server\\share\\g.mp3");
    const QString lists = folder.path(QStringLiteral("lists"));
    EXPECT_EQ(
        load(path),
        (QStringList{
            lists + QStringLiteral("/music/a.mp3"), lists + QStringLiteral("/ #not a comment"),
            folder.root() + QStringLiteral("/b.mp3"), lists + QStringLiteral("/d.mp3"),
            QStringLiteral("/abs/e.mp3"), QStringLiteral("http://host/stream.mp3"),
            QStringLiteral("10.PAUSE"), QStringLiteral("song.mp3.jingle"),
            QStringLiteral("C:\\Music\\f.mp3"), QStringLiteral("\\\\server\\share\\g.mp3")}));
}

TEST(LineList, ReadsWhatItWritesInEveryLineFormat) {
    PlaylistFolder folder;
    const QStringList entries = {QString::fromUtf16(u"/m\u00FCsic/\u4E2D.mp3"),
                                 QStringLiteral("/b c.wav")};
    for (const char* name : {"x.alb", "x.mpl", "x.m3u", "x.txt", "x.pls", "x.rotation", "x.wpl"}) {
        const QString path = folder.path(QString::fromLatin1(name));
        listOf(entries).Save(path);
        EXPECT_EQ(load(path), entries) << name;
    }
}

// A line break is legal in a Linux file name; as a raw line it would read back as two
// broken entries, so such names travel as file URIs. Other players' file URIs read too.
TEST(LineList, NamesWithLineBreaksRoundTripAsFileUris) {
    PlaylistFolder folder;
    const QStringList entries = {QStringLiteral("/m/two\nlines.mp3"), QStringLiteral("/m/cr\r.mp3"),
                                 QStringLiteral("/m/100% plain.mp3")};
    for (const char* name : {"x.alb", "x.m3u", "x.pls"}) {
        const QString path = folder.path(QString::fromLatin1(name));
        listOf(entries).Save(path);
        EXPECT_EQ(load(path), entries) << name;
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        EXPECT_TRUE(bytes.contains("file:///m/two%0Alines.mp3")) << name;
        EXPECT_TRUE(bytes.contains("/m/100% plain.mp3")) << "names without breaks stay as they are";
    }
    const QString foreign = folder.path(QStringLiteral("foreign.m3u"));
    QFile file(foreign);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("file:///music/a%20b.mp3\nFILE:///music/c.mp3\nfile://host/share/d.mp3\n");
    file.close();
    EXPECT_EQ(load(foreign),
              (QStringList{QStringLiteral("/music/a b.mp3"), QStringLiteral("/music/c.mp3"),
                           QStringLiteral("file://host/share/d.mp3")}));
}

TEST(LineList, Utf8M3uWithMarkIsReadAsUtf8) {
    PlaylistFolder folder;
    const QString path = folder.write(QStringLiteral("x.m3u"), "\xEF\xBB\xBF/caf\xC3\xA9.mp3\n");
    EXPECT_EQ(load(path), QStringList{QString::fromUtf16(u"/caf\u00E9.mp3")});
}

TEST(LineList, CurrentDirectoryIsNeverChanged) {
    PlaylistFolder folder;
    const QString before = QDir::currentPath();
    load(folder.write(QStringLiteral("sub/x.alb"), "a.mp3\r\n"));
    EXPECT_EQ(QDir::currentPath(), before);
    EXPECT_THROW(load(folder.path(QStringLiteral("sub/missing.alb"))), CFileException);
    EXPECT_EQ(QDir::currentPath(), before);
}

TEST(PlaylistFile, OpenFailuresCarryTheirCause) {
    PlaylistFolder folder;
    const struct {
        QString path;
        CFileException::Cause cause;
    } cases[] = {
        {folder.path(QStringLiteral("missing.alb")), CFileException::fileNotFound},
        {folder.root(), CFileException::accessDenied},
        {folder.path(QStringLiteral("no/such/folder/x.m3u")), CFileException::fileNotFound},
        {folder.write(QStringLiteral("file"), "x") + QStringLiteral("/x.alb"),
         CFileException::badPath},
    };
    for (const auto& c : cases) {
        try {
            load(c.path);
            ADD_FAILURE() << c.path.toStdString();
        } catch (const CFileException& e) {
            EXPECT_EQ(e.GetCause(), c.cause) << c.path.toStdString();
            EXPECT_EQ(e.GetFileName(), c.path);
        }
    }
}

class FailedSave : public testing::TestWithParam<const char*> {
protected:
    void TearDown() override { tavi::fs::AtomicFile::setBeforeRenameHook({}); }
};

TEST_P(FailedSave, LeavesTheOldFileAndNoTemporary) {
    PlaylistFolder folder;
    const QString name = QString::fromLatin1(GetParam());
    const QString path = folder.write(name, "old contents\r\n");
    tavi::fs::AtomicFile::setBeforeRenameHook([](const QString&) { return false; });
    EXPECT_THROW(listOf(kTwo).Save(path), CFileException);
    EXPECT_EQ(folder.read(name), "old contents\r\n");
    EXPECT_EQ(folder.files(), QStringList{name});
}

INSTANTIATE_TEST_SUITE_P(Formats, FailedSave,
                         testing::Values("x.alb", "x.m3u", "x.pls", "x.rotation", "x.wpl"));

TEST(PlaylistFile, SaveIntoMissingFolderOrOverFolderFails) {
    PlaylistFolder folder;
    EXPECT_THROW(listOf(kTwo).Save(folder.path(QStringLiteral("none/x.alb"))), CFileException);
    QDir(folder.root()).mkdir(QStringLiteral("d.alb"));
    EXPECT_THROW(listOf(kTwo).Save(folder.path(QStringLiteral("d.alb"))), CFileException);
    EXPECT_EQ(folder.files(), QStringList{});
}

}  // namespace
