#include "FormatsTestFiles.h"
#include "formats/CPlaylistFile.h"

#include <gtest/gtest.h>

using tavi::formats::CPlaylistFile;
using tavi::test::PlaylistFolder;

namespace {

class SavedSearch : public testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"music/a.mp3", "music/b.MP3", "music/c.ogg", "music/sub/d.mp3",
                                 "music/.hidden.mp3", "music/skip/e.mp3"}) {
            folder.write(QString::fromLatin1(name), "x");
        }
        QDir(folder.root()).mkpath(QStringLiteral("music/folder.mp3"));
    }

    QStringList search(const QString& conditions, const QString& scope) {
        const QByteArray xml =
            QStringLiteral(
                "<?xml version=\"1.0\"?><persistedQuery version=\"1.0\">"
                "<viewInfo viewMode=\"details\"/><query>%1<kindList><kind name=\"item\"/>"
                "</kindList><scope>%2</scope></query></persistedQuery>")
                .arg(conditions, scope)
                .toUtf8();
        CPlaylistFile list;
        list.Load(folder.write(QStringLiteral("q.search-ms"), xml));
        QStringList found = list.Entries();
        found.sort();
        return found;
    }

    QString music(const char* name) const {
        return folder.path(QStringLiteral("music/") + QLatin1String(name));
    }
    QString include(const char* extra = "") const {
        return QStringLiteral("<include path=\"%1\" %2/>")
            .arg(folder.path(QStringLiteral("music")), QLatin1String(extra));
    }

    PlaylistFolder folder;
};

QString leaf(const char* property, const char* op, const char* value) {
    return QStringLiteral(
               "<condition type=\"leafCondition\" property=\"%1\" operator=\"%2\" "
               "propertyType=\"string\" value=\"%3\"/>")
        .arg(QLatin1String(property), QLatin1String(op), QLatin1String(value));
}

QString wrap(const QString& condition) {
    return QStringLiteral("<conditions>%1</conditions>").arg(condition);
}

TEST_F(SavedSearch, FindsOnlyMatchingFilesNeverFoldersOrHiddenFiles) {
    EXPECT_EQ(
        search(wrap(leaf("System.FileExtension", "eq", ".mp3")), include()),
        (QStringList{music("a.mp3"), music("b.MP3"), music("skip/e.mp3"), music("sub/d.mp3")}));
}

TEST_F(SavedSearch, NoConditionsNonRecursiveExcludeAndNestedConditions) {
    EXPECT_EQ(search({}, include("nonRecursive=\"true\"")),
              (QStringList{music("a.mp3"), music("b.MP3"), music("c.ogg")}));
    const QString exclude = QStringLiteral("<exclude path=\"%1\"/>").arg(music("skip"));
    const QString both = QStringLiteral(
                             "<condition type=\"andCondition\">%1"
                             "<condition type=\"notCondition\">%2</condition></condition>")
                             .arg(leaf("System.FileName", "dosmatch", "*.mp3"),
                                  leaf("System.FileName", "starts", "b"));
    EXPECT_EQ(search(wrap(both), include() + exclude),
              (QStringList{music("a.mp3"), music("sub/d.mp3")}));
}

TEST_F(SavedSearch, AnythingItCannotEvaluateGivesNothing) {
    const QString windowsScope = QStringLiteral("<include path=\"C:\\Users\\me\\Music\"/>");
    const QString unknownFolder =
        QStringLiteral("<include knownFolder=\"{00000000-0000-0000-0000-000000000000}\"/>");
    EXPECT_EQ(search(wrap(leaf("System.Music.Artist", "eq", "x")), include()), QStringList{});
    EXPECT_EQ(search(wrap(leaf("System.FileName", "sounds like", "x")), include()), QStringList{});
    EXPECT_EQ(search({}, windowsScope), QStringList{});
    EXPECT_EQ(search({}, unknownFolder), QStringList{});
    EXPECT_EQ(search({}, {}), QStringList{});
    CPlaylistFile list;
    list.Load(folder.write(QStringLiteral("broken.search-ms"), "<persistedQuery><query><scope>"));
    EXPECT_EQ(list.GetCount(), 0);
    list.Load(folder.path(QStringLiteral("missing.search-ms")));
    EXPECT_EQ(list.GetCount(), 0);
}

}  // namespace
