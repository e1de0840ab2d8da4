#include "platform/fs/AbsoluteLocalPath.h"
#include "platform/fs/MediaLocation.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace tavi::fs;

namespace {

// What each kind of entry is, and the URI a pipeline is given for it.
TEST(MediaLocation, StreamsStayUrlsAndEverythingElseIsALocalFile) {
    const struct {
        const char* entry;
        bool stream;
        const char* uri;
        const char* local;
    } cases[] = {
        // entry, a stream?, the URI (checked when given), the local file
        {"http://radio.example:8000/live", true, "http://radio.example:8000/live", ""},
        {"HTTPS://radio.example/a b.mp3", true, "https://radio.example/a%20b.mp3", ""},
        {"https://radio.example/%C3%A4.ogg", true, "https://radio.example/%C3%A4.ogg", ""},
        {"/music/a b.wav", false, "file:///music/a%20b.wav", "/music/a b.wav"},
        {"file:///music/a%20b.wav", false, "file:///music/a%20b.wav", "/music/a b.wav"},
        // A folder name with "://" in it is still a file, and so is a bare scheme.
        {"/music/odd://name.mp3", false, "file:///music/odd://name.mp3", "/music/odd://name.mp3"},
        {"http://", false, "", "http://"},
        {"ftp://host/a.mp3", false, "", "ftp://host/a.mp3"},
        // A file URL naming another host is no local file.
        {"file://server/a.mp3", false, "", "file://server/a.mp3"},
    };
    for (const auto& c : cases) {
        const QString entry = QString::fromUtf8(c.entry);
        SCOPED_TRACE(c.entry);
        EXPECT_EQ(IsStreamUrl(entry), c.stream);
        if (*c.uri != '\0') {
            EXPECT_EQ(MediaUri(entry), QByteArray(c.uri));
        }
        EXPECT_EQ(LocalFileOf(entry), QString::fromUtf8(c.local));
    }
    EXPECT_TRUE(IsFileUrl(QStringLiteral("file:///music/a.mp3")));
    EXPECT_FALSE(IsFileUrl(QStringLiteral("file://server/a.mp3")));
    EXPECT_FALSE(IsFileUrl(QStringLiteral("/music/a.mp3")));
}

// A name from the command line is taken against the working folder, a leading ':' included
// (Qt's own calls would take that one for a resource and leave it relative).
TEST(MediaLocation, AbsoluteLocalPathResolvesEveryRelativeName) {
    const QString here = QDir::currentPath();
    EXPECT_EQ(AbsoluteLocalPath(QStringLiteral(":a.mp3")), here + QStringLiteral("/:a.mp3"));
    EXPECT_EQ(AbsoluteLocalPath(QStringLiteral(":..8/..")), here);
    EXPECT_EQ(AbsoluteLocalPath(QStringLiteral("b/../c d.mp3")), here + QStringLiteral("/c d.mp3"));
    EXPECT_EQ(AbsoluteLocalPath(QStringLiteral("/music//x/../a.mp3")),
              QStringLiteral("/music/a.mp3"));
    EXPECT_EQ(AbsoluteLocalPath(QString()), QString());
}

}  // namespace
