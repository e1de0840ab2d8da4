// The explorer bar: what a click, a double click and Enter open, shortcuts, and the
// selection kept across runs.
#include "platform/registry/Registry.h"
#include "support/QtApp.h"
#include "support/QtPrinters.h"
#include "support/TempRegistry.h"
#include "ui/explorer/CExplorerBar.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileSystemModel>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

using tavi::ui::CExplorerBar;

namespace {

class ExplorerBarTest : public testing::Test {
protected:
    ExplorerBarTest() {
        music = QDir(root.path()).filePath(QStringLiteral("Music"));
        QDir().mkpath(music + QStringLiteral("/Albums"));
        song = touch(QStringLiteral("song.mp3"));
        album = touch(QStringLiteral("list.alb"));
        bar.resize(400, 500);
        bar.SetRoot(music);
        bar.show();
        QObject::connect(&bar, &CExplorerBar::openRequested,
                         [this](const QString& p) { opened.append(p); });
        EXPECT_TRUE(tavi::test::processEventsUntil(
            [&] { return IndexOf(song).isValid() && Visible(song); }, 5000));
    }
    QString touch(const QString& name, const QByteArray& bytes = "x") {
        const QString path = QDir(music).filePath(name);
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return path;
    }
    QModelIndex IndexOf(const QString& path) { return bar.model()->index(path); }
    bool Visible(const QString& path) { return bar.tree()->visualRect(IndexOf(path)).isValid(); }
    QPoint LabelPoint(const QString& path) {
        const QRect cell = bar.tree()->visualRect(IndexOf(path));
        return QPoint(cell.left() + 30, cell.center().y());
    }

    QTemporaryDir root;
    QString music;
    QString song;
    QString album;
    CExplorerBar bar;
    QStringList opened;
};

}  // namespace

TEST_F(ExplorerBarTest, ASingleClickOnAFilesNameOpensIt) {
    QTest::mouseClick(bar.tree()->viewport(), Qt::LeftButton, Qt::NoModifier, LabelPoint(song));
    EXPECT_EQ(opened, QStringList{song});
    QTest::mouseClick(bar.tree()->viewport(), Qt::LeftButton, Qt::NoModifier, LabelPoint(album));
    EXPECT_EQ(opened, (QStringList{song, album}));
}

TEST_F(ExplorerBarTest, ClicksBesideTheNameOrOnAFolderOpenNothing) {
    const QRect cell = bar.tree()->visualRect(IndexOf(song));
    QTest::mouseClick(bar.tree()->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(bar.tree()->viewport()->width() - 3, cell.center().y()));
    const QString folder = music + QStringLiteral("/Albums");
    ASSERT_TRUE(tavi::test::processEventsUntil([&] { return Visible(folder); }, 3000));
    QTest::mouseClick(bar.tree()->viewport(), Qt::LeftButton, Qt::NoModifier, LabelPoint(folder));
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_EQ(bar.OpenItem(folder), QString());
}

TEST_F(ExplorerBarTest, EnterOpensEverySelectedItem) {
    bar.tree()->setFocus();
    bar.tree()->selectionModel()->select(IndexOf(song),
                                         QItemSelectionModel::Select | QItemSelectionModel::Rows);
    bar.tree()->selectionModel()->select(IndexOf(album),
                                         QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QTest::keyClick(bar.tree(), Qt::Key_Return);
    opened.sort();
    QStringList expected{song, album};
    expected.sort();
    EXPECT_EQ(opened, expected);
}

TEST_F(ExplorerBarTest, ShortcutsOpenTheirTargets) {
    const QString link =
        touch(QStringLiteral("link.desktop"),
              "[Desktop Entry]\nType=Link\nName=Song\nURL=file://" + song.toUtf8() + "\n");
    EXPECT_EQ(bar.OpenItem(link), song);
    const QString broken =
        touch(QStringLiteral("broken.desktop"),
              "[Desktop Entry]\nType=Link\nName=Gone\nURL=file:///nowhere/x.mp3\n");
    EXPECT_EQ(bar.OpenItem(broken), QString());
    EXPECT_EQ(opened, QStringList{song});
    EXPECT_EQ(bar.OpenItem(QDir(music).filePath(QStringLiteral("missing.mp3"))), QString());
}

TEST_F(ExplorerBarTest, TheSelectedItemIsRestoredAfterARestart) {
    tavi::test::TempRegistry registry;
    bar.SelectPath(album);
    EXPECT_EQ(bar.SelectedPath(), album);
    {
        tavi::reg::RegKey key =
            registry->open(tavi::reg::Root::CurrentUser, QStringLiteral("Software\\Bars"), true);
        bar.SaveState(key);
    }
    CExplorerBar again;
    again.SetRoot(music);
    again.LoadState(
        registry->open(tavi::reg::Root::CurrentUser, QStringLiteral("Software\\Bars"), true));
    EXPECT_TRUE(
        tavi::test::processEventsUntil([&] { return again.SelectedPath() == album; }, 5000));
}

// A bar nobody sees costs nothing: its folder is read when it is first shown, and changes
// to it are watched only while it is shown.
TEST_F(ExplorerBarTest, AHiddenBarNeitherReadsNorWatchesItsFolder) {
    EXPECT_FALSE(bar.model()->testOption(QFileSystemModel::DontWatchForChanges));
    bar.hide();
    EXPECT_TRUE(bar.model()->testOption(QFileSystemModel::DontWatchForChanges));
    CExplorerBar hidden;
    hidden.SetRoot(music);
    EXPECT_EQ(hidden.Root(), music);
    EXPECT_FALSE(hidden.IsRootApplied());
    EXPECT_NE(hidden.model()->rootPath(), music);
    hidden.show();
    EXPECT_TRUE(hidden.IsRootApplied());
    EXPECT_EQ(hidden.model()->rootPath(), music);
    EXPECT_FALSE(hidden.model()->testOption(QFileSystemModel::DontWatchForChanges));
}

// A root that is gone (an unmounted disc, a deleted folder) shows the home folder, not the
// folder the program was started in.
TEST_F(ExplorerBarTest, ARootThatIsGoneShowsTheHomeFolder) {
    const QByteArray oldHome = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(root.path()));
    bar.SetRoot(root.filePath(QStringLiteral("gone")));
    EXPECT_EQ(bar.model()->filePath(bar.tree()->rootIndex()), root.path());
    qputenv("HOME", oldHome);
}
