#include "FormatsTestFiles.h"
#include "formats/DocumentFiles.h"
#include "platform/errors/CFileException.h"
#include "platform/errors/CWin32Exception.h"

#include <gtest/gtest.h>

#include <cerrno>

using namespace tavi::formats;
using tavi::errors::CFileException;
using tavi::errors::CWin32Exception;
using tavi::test::PlaylistFolder;

namespace {

// Linux paths and stream URLs are longer than the old path buffers; every format keeps them
// through a save and a reopen.
TEST(DocumentFiles, LongEntriesSurviveSaveAndReopenInEveryFormat) {
    PlaylistFolder folder;
    const QString fits = u'/' + QString(259, u'a');
    const QString longPath = u'/' + QString(600, u'b') + QStringLiteral(".mp3");
    const QString longUrl = QStringLiteral("http://radio.example/") + QString(400, u'c');
    const QString path = folder.write(
        QStringLiteral("x.alb"),
        (fits + QStringLiteral("\r\n") + longPath + QStringLiteral("\r\n/c\r\n")).toUtf8());
    EXPECT_EQ(LoadPlaylistForDocument(path), (QStringList{fits, longPath, QStringLiteral("/c")}));
    const QStringList entries{longPath, longUrl, fits};
    for (const char* name : {"y.alb", "y.m3u", "y.pls", "y.wpl", "y.mpl"}) {
        SCOPED_TRACE(name);
        const QString file = folder.path(QString::fromLatin1(name));
        SavePlaylistFromDocument(file, entries);
        EXPECT_EQ(LoadPlaylistForDocument(file), entries);
    }
}

TEST(DocumentFiles, SaveWritesNextIndexZeroAndTheFormatOfTheExtension) {
    PlaylistFolder folder;
    SavePlaylistFromDocument(folder.path(QStringLiteral("x.pls")), {QStringLiteral("/a")});
    EXPECT_TRUE(folder.read(QStringLiteral("x.pls")).endsWith("NextIndex=1\r\n"));
    SavePlaylistFromDocument(folder.path(QStringLiteral("x.m3u")), {QStringLiteral("/a")});
    EXPECT_EQ(folder.read(QStringLiteral("x.m3u")), "/a\r\n");
}

TEST(DocumentFiles, NamesWithoutExtensionReceiveAlb) {
    const struct {
        const char* typed;
        const char* saved;
    } cases[] = {
        {"/l/party", "/l/party.alb"},     {"/l/party.m3u", "/l/party.m3u"},
        {"/l.d/party", "/l.d/party.alb"}, {"/l/.party", "/l/.party"},
        {"/l/a.b.c", "/l/a.b.c"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WithDefaultExtension(QLatin1String(c.typed)), QLatin1String(c.saved));
    }
    EXPECT_EQ(DefaultPlaylistExtension(), QStringLiteral("alb"));
}

TEST(DocumentFiles, FilterStringAndDialogFilters) {
    EXPECT_EQ(PlaylistFilterString(),
              QStringLiteral(
                  "Tavi Playlist (*.alb)|*.alb|M3U Playlist (*.m3u)|*.m3u|Windows Media Player "
                  "Playlist (*.wpl)|*.wpl|PLS Playlist (*.pls)|*.pls|Lumeno Mini Playlist "
                  "(*.mpl)|*.mpl|Lumeno Rotation (*.rotation)|*.rotation|All Files (*.*)|*||"));
    const QStringList filters = PlaylistDialogFilters();
    ASSERT_EQ(filters.size(), 7);
    EXPECT_EQ(filters.front(), QStringLiteral("Tavi Playlist (*.alb)"));
    EXPECT_EQ(filters.back(), QStringLiteral("All Files (*)"));
}

TEST(DocumentFiles, LoadAndSaveErrorMessages) {
    const QString path = QStringLiteral("/l/x.alb");
    const CFileException missing(CFileException::fileNotFound, path);
    const CFileException shared(CFileException::sharingViolation, path);
    const CFileException denied(CFileException::accessDenied, path);
    EXPECT_EQ(DocumentLoadErrorMessage(&missing, path),
              QStringLiteral("/l/x.alb\nCannot find this file.\nVerify that the correct path and "
                             "file name are given."));
    EXPECT_EQ(DocumentLoadErrorMessage(&shared, path),
              QStringLiteral("Unable to read from /l/x.alb, it is opened by someone else."));
    EXPECT_EQ(DocumentLoadErrorMessage(&denied, path),
              QStringLiteral("Access to /l/x.alb was denied."));
    EXPECT_EQ(DocumentLoadErrorMessage(nullptr, path), QStringLiteral("Failed to open document."));
    const CWin32Exception system(EIO);
    EXPECT_EQ(DocumentLoadErrorMessage(&system, path), system.GetErrorMessage());
    EXPECT_EQ(DocumentSaveErrorMessage(&denied), QStringLiteral("Access to /l/x.alb was denied."));
    EXPECT_EQ(DocumentSaveErrorMessage(nullptr), QStringLiteral("Failed to save document."));
}

TEST(DocumentFiles, FailedLoadThrowsTheFileError) {
    PlaylistFolder folder;
    try {
        LoadPlaylistForDocument(folder.path(QStringLiteral("gone.m3u")));
        FAIL();
    } catch (const CFileException& e) {
        EXPECT_EQ(e.GetCause(), CFileException::fileNotFound);
    }
}

}  // namespace
