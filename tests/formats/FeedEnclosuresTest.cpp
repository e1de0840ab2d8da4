#include "FormatsTestFiles.h"
#include "formats/CPlaylistFile.h"

#include <gtest/gtest.h>

#include <QUrl>

using tavi::formats::CPlaylistFile;
using tavi::test::PlaylistFolder;

namespace {

QStringList read(const QString& path) {
    CPlaylistFile list;
    list.Load(path);
    return list.Entries();
}

TEST(FeedEnclosures, DownloadedEnclosuresInFeedOrder) {
    PlaylistFolder folder;
    const QString local = folder.write(QStringLiteral("episodes/one.mp3"), "x");
    const QString downloaded = folder.write(QStringLiteral("two.mp3"), "x");
    const QByteArray rss =
        "<rss version=\"2.0\"><channel><title>c</title>"
        "<item><title>0</title><enclosure url=\"http://h/missing.mp3\"/></item>"
        "<item><enclosure url=\"" +
        QUrl::fromLocalFile(local).toEncoded() +
        "\"/></item>"
        "<item><title>no enclosure</title></item>"
        "<item><enclosure url=\"http://h/feed/two.mp3?x=1\" length=\"1\"/>"
        "<enclosure url=\"episodes/one.mp3\"/></item>"
        "<item><enclosure url=\"episodes/none.mp3\"/></item>"
        "</channel></rss>";
    EXPECT_EQ(read(folder.write(QStringLiteral("feed.xml"), rss)),
              (QStringList{local, downloaded}));
}

TEST(FeedEnclosures, AtomLinksAndStopAtTheFirstError) {
    PlaylistFolder folder;
    const QString a = folder.write(QStringLiteral("a.ogg"), "x");
    const QByteArray atom =
        "<feed xmlns=\"http://www.w3.org/2005/Atom\">"
        "<entry><link rel=\"alternate\" href=\"a.ogg\"/><link rel=\"enclosure\" "
        "href=\"a.ogg\"/></entry>"
        "<entry><link rel=\"enclosure\" href=\"" +
        a.toUtf8() +
        "\"/></entry>"
        "<entry><link rel=\"enclosure\" href=\"a.ogg\"/><broken></entry>"
        "<entry><link rel=\"enclosure\" href=\"a.ogg\"/></entry></feed>";
    EXPECT_EQ(read(folder.write(QStringLiteral("f.xml"), atom)), (QStringList{a, a, a}));
    EXPECT_EQ(read(folder.path(QStringLiteral("missing.xml"))), QStringList{});
}

}  // namespace
