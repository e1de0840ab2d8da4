#include "FormatsTestFiles.h"
#include "formats/CPlaylistFile.h"
#include "platform/errors/CFileException.h"

#include <gtest/gtest.h>

#include <QXmlStreamReader>

using tavi::errors::CFileException;
using tavi::formats::CPlaylistFile;
using tavi::test::PlaylistFolder;

namespace {

TEST(WplList, WritesSmilTitledWithTheFileTitleAndReadsBack) {
    PlaylistFolder folder;
    const QString path = folder.path(QStringLiteral("Party.wpl"));
    CPlaylistFile list;
    list.Entries() = {QStringLiteral("/music/a & \"b\" <c>.mp3"), QStringLiteral("http://x/y.mp3"),
                      QStringLiteral("relative.mp3")};
    list.Save(path);

    const QByteArray bytes = folder.read(QStringLiteral("Party.wpl"));
    EXPECT_TRUE(bytes.startsWith("<?wpl version=\"1.0\"?>")) << bytes.left(200).toStdString();
    QXmlStreamReader xml(bytes);
    QString title;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement &&
            xml.name() == QLatin1String("title")) {
            title = xml.readElementText();
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(title, QStringLiteral("Party"));

    CPlaylistFile reread;
    reread.Load(path);
    EXPECT_EQ(reread.Entries(), list.Entries()) << "entries come back as written, unresolved";
}

TEST(WplList, CharactersXmlCannotCarryBecomeReplacements) {
    PlaylistFolder folder;
    const QString path = folder.path(QStringLiteral("x.wpl"));
    CPlaylistFile list;
    list.Entries() = {QStringLiteral("/a\x01.mp3"), QStringLiteral("/b.mp3")};
    list.Save(path);
    CPlaylistFile reread;
    reread.Load(path);
    EXPECT_EQ(reread.Entries(),
              (QStringList{QString::fromUtf16(u"/a\uFFFD.mp3"), QStringLiteral("/b.mp3")}));
}

TEST(WplList, ReadsMediaAnywhereInTheBody) {
    PlaylistFolder folder;
    const QString path = folder.write(QStringLiteral("x.wpl"),
                                      "<?wpl version=\"1.0\"?><smil><head><title>T</title></head>"
                                      "<body><seq><media src=\"C:\\a.wma\" tid=\"{1}\"/>"
                                      "<media/><media src=\"b.mp3\"></media></seq></body></smil>");
    CPlaylistFile list;
    list.Load(path);
    EXPECT_EQ(list.Entries(), (QStringList{QStringLiteral("C:\\a.wma"), QStringLiteral("b.mp3")}));
}

TEST(WplList, BrokenFilesAreReportedAsNotAPlaylist) {
    PlaylistFolder folder;
    for (const QByteArray& bytes :
         {QByteArray(""), QByteArray("<smil><media src=\"a\"/>"),
          QByteArray("<html><media src=\"a\"/></html>"), QByteArray("\xFF\xFE<")}) {
        CPlaylistFile list;
        try {
            list.Load(folder.write(QStringLiteral("x.wpl"), bytes));
            ADD_FAILURE() << bytes.toStdString();
        } catch (const CFileException& e) {
            EXPECT_EQ(e.GetCause(), CFileException::badFormat);
            EXPECT_TRUE(e.GetErrorMessage().contains(folder.path(QStringLiteral("x.wpl"))));
        }
        EXPECT_EQ(list.GetCount(), 0);
    }
}

}  // namespace
