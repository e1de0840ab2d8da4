// Adding folders (with links and unreadable folders) and shortcut files.
#include "PlaylistTestSupport.h"

#include "playlist/DesktopLink.h"
#include "playlist/FolderWalk.h"
#include "playlist/ShellLink.h"

#include <QUrl>
#include <QtEndian>

#include <unistd.h>

using namespace tavi::playlist;

namespace {

class Folders : public tavi::test::PlaylistTest {
protected:
    QStringList sortedEntries() {
        QStringList list = entries();
        list.sort();
        return list;
    }
};

// A shell link with the link info's local base path and, optionally, a relative path.
QByteArray shellLink(const QByteArray& localBase, const QString& relative = {}) {
    QByteArray bytes(0x4C, '\0');
    qToLittleEndian<uint32_t>(0x4C, bytes.data());
    const QByteArray clsid = QByteArray::fromHex("0114020000000000c000000000000046");
    bytes.replace(4, 16, clsid);
    uint32_t flags = 0x2 | 0x80;  // link info, Unicode strings
    if (!relative.isEmpty()) {
        flags |= 0x8;
    }
    qToLittleEndian<uint32_t>(flags, bytes.data() + 0x14);
    QByteArray info(0x1C, '\0');
    const uint32_t baseOffset = 0x1C;
    const uint32_t suffixOffset = baseOffset + uint32_t(localBase.size()) + 1;
    const uint32_t size = suffixOffset + 1;
    qToLittleEndian<uint32_t>(size, info.data());
    qToLittleEndian<uint32_t>(0x1C, info.data() + 4);
    qToLittleEndian<uint32_t>(1, info.data() + 8);
    qToLittleEndian<uint32_t>(baseOffset, info.data() + 0x10);
    qToLittleEndian<uint32_t>(suffixOffset, info.data() + 0x18);
    info += localBase + '\0' + '\0';
    bytes += info;
    if (!relative.isEmpty()) {
        char count[2];
        qToLittleEndian<uint16_t>(uint16_t(relative.size()), count);
        bytes.append(count, 2);
        bytes.append(reinterpret_cast<const char*>(relative.utf16()), relative.size() * 2);
    }
    return bytes;
}

}  // namespace

TEST_F(Folders, AddsFilesOfAllSubFolders) {
    player().mediaFilesOnly = true;
    const QString a = touch(QStringLiteral("root/a.mp3"));
    const QString b = touch(QStringLiteral("root/sub/deeper/b.WAV"));
    touch(QStringLiteral("root/sub/cover.jpg"));
    const QString hidden = touch(QStringLiteral("root/.hidden/c.ogg"));
    editor().AddFolder(files.filePath(QStringLiteral("root")));
    settle();
    QStringList expected{a, b, hidden};
    expected.sort();
    EXPECT_EQ(sortedEntries(), expected);
    EXPECT_GE(model().current(), 0);
}

TEST_F(Folders, LinksBackUpTheTreeAreSkipped) {
    const QString a = touch(QStringLiteral("root/a.mp3"));
    const QString b = touch(QStringLiteral("root/sub/b.mp3"));
    ASSERT_TRUE(QFile::link(files.filePath(QStringLiteral("root")),
                            files.filePath(QStringLiteral("root/sub/loop"))));
    ASSERT_TRUE(QFile::link(files.filePath(QStringLiteral("root/sub")),
                            files.filePath(QStringLiteral("root/again"))));
    editor().AddFolder(files.filePath(QStringLiteral("root")));
    settle();
    EXPECT_EQ(model().count(), 2) << entries().join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(entries().contains(a));
}

TEST_F(Folders, UnreadableFoldersAreSkipped) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root reads every folder";
    }
    const QString a = touch(QStringLiteral("root/a.mp3"));
    touch(QStringLiteral("root/locked/b.mp3"));
    const QString locked = files.filePath(QStringLiteral("root/locked"));
    QFile::setPermissions(locked, QFileDevice::Permissions());
    editor().AddFolder(files.filePath(QStringLiteral("root")));
    settle();
    QFile::setPermissions(locked,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(entries(), QStringList{a});
}

TEST_F(Folders, ShellLinksAddTheirTarget) {
    const QString target = touch(QStringLiteral("music/song.mp3"));
    const QString lnk =
        touch(QStringLiteral("links/song.LNK"), shellLink(QFile::encodeName(target)));
    EXPECT_TRUE(editor().AddEntry(lnk));
    // A link made elsewhere: its local path means nothing here, its relative path does.
    const QString moved =
        touch(QStringLiteral("links/moved.lnk"),
              shellLink("C:\\Music\\song.mp3", QStringLiteral("..\\music\\song.mp3")));
    EXPECT_TRUE(editor().AddEntry(moved));
    const QString dangling =
        touch(QStringLiteral("links/dangling.lnk"), shellLink("/nowhere/x.mp3"));
    EXPECT_FALSE(editor().AddEntry(dangling));
    const QString broken = touch(QStringLiteral("links/broken.lnk"), "not a link");
    EXPECT_FALSE(editor().AddEntry(broken));
    EXPECT_EQ(entries(), (QStringList{target, target}));
}

TEST_F(Folders, DesktopLinksAddTheirTarget) {
    const QString target = touch(QStringLiteral("music/a b.ogg"));
    const QString link =
        touch(QStringLiteral("links/a.desktop"),
              "# comment\n[Other]\nURL=file:///wrong\n[Desktop Entry]\nType=Link\nName=A\nURL=" +
                  QUrl::fromLocalFile(target).toEncoded() + "\n");
    player().mediaFilesOnly = true;
    EXPECT_TRUE(editor().AddEntry(link));
    const QString app = touch(QStringLiteral("links/app.desktop"),
                              "[Desktop Entry]\nType=Application\nExec=sh -c true\n");
    EXPECT_FALSE(editor().AddEntry(app)) << "a program is no media file";
    player().mediaFilesOnly = false;
    EXPECT_TRUE(editor().AddEntry(app));
    EXPECT_EQ(entries().value(0), target);
    EXPECT_TRUE(entries().value(1).endsWith(QLatin1String("/sh")));
    EXPECT_EQ(DesktopLink::parse("[Desktop Entry]\nType=Directory\n"), std::nullopt);
    const auto quoted =
        DesktopLink::parse("[Desktop Entry]\nType=Application\nExec=\"/opt/my app/run\" %F\n");
    ASSERT_TRUE(quoted);
    EXPECT_EQ(quoted->target, QStringLiteral("/opt/my app/run"));
}

TEST(ShellLink, RejectsDamagedData) {
    const QByteArray good = shellLink("/a/b.mp3");
    ASSERT_TRUE(ShellLink::parse(good));
    EXPECT_EQ(ShellLink::parse(good)->localPath, QStringLiteral("/a/b.mp3"));
    for (qsizetype cut = 0; cut < good.size(); cut += 7) {
        EXPECT_FALSE(ShellLink::parse(good.left(cut))) << cut;
    }
    QByteArray wrongClass = good;
    wrongClass[5] = 0x7F;
    EXPECT_FALSE(ShellLink::parse(wrongClass));
    QByteArray hugeOffset = good;
    qToLittleEndian<uint32_t>(0x7FFFFFF0, hugeOffset.data() + 0x4C + 0x10);
    EXPECT_FALSE(ShellLink::parse(hugeOffset));
}

TEST_F(Folders, NamesAreInTheOrderOfTheirNumbersAndWithoutRegardToCase) {
    for (const char* name : {"10.mp3", "9.mp3", "b.mp3", "A.mp3", "track 2.mp3", "Track 10.mp3",
                             "sub/1.mp3", "02.mp3"}) {
        touch(QStringLiteral("root/") + QString::fromUtf8(name));
    }
    editor().AddFolder(files.filePath(QStringLiteral("root")));
    settle();
    QStringList names;
    for (const QString& path : entries()) {
        names.append(path.mid(files.filePath(QStringLiteral("root/")).size()));
    }
    EXPECT_EQ(names, (QStringList{QStringLiteral("02.mp3"), QStringLiteral("9.mp3"),
                                  QStringLiteral("10.mp3"), QStringLiteral("A.mp3"),
                                  QStringLiteral("b.mp3"), QStringLiteral("sub/1.mp3"),
                                  QStringLiteral("track 2.mp3"), QStringLiteral("Track 10.mp3")}));
    const int sevens = FolderWalk::CompareNames(QStringLiteral("7"), QStringLiteral("007"));
    EXPECT_NE(sevens, 0) << "equal numbers still have one order";
    EXPECT_EQ(sevens > 0, FolderWalk::CompareNames(QStringLiteral("007"), QStringLiteral("7")) < 0);
    EXPECT_GT(FolderWalk::CompareNames(QStringLiteral("a10"), QStringLiteral("a9b")), 0);
}

TEST_F(Folders, ANewListWhileAFolderIsAddedGetsNoneOfItsFiles) {
    for (int i = 0; i < 2000; ++i) {
        touch(QStringLiteral("big/%1.mp3").arg(i));
    }
    ASSERT_TRUE(doc->OpenDocumentFile(files.filePath(QStringLiteral("big"))));
    ASSERT_TRUE(editor().IsBusy());
    doc->NewDocument();
    EXPECT_FALSE(editor().IsBusy());
    tavi::test::processEventsFor(300);
    EXPECT_TRUE(entries().isEmpty()) << "batches of the forgotten walk are dropped";
    editor().AddFolder(files.filePath(QStringLiteral("big")));
    settle();
    EXPECT_EQ(model().count(), 2000);
}
