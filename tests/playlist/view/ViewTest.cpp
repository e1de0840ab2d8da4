// The playlist view as a user meets it: keys, drops, drags, dialogs, a big paste.
#include "../PlaylistTestSupport.h"

#include "playlist/CommandIds.h"
#include "playlist/view/CPlayListBox.h"
#include "playlist/view/CTaviView.h"
#include "playlist/view/EditPauseDialog.h"
#include "playlist/view/RenameFileDialog.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QUrl>

using namespace tavi::playlist;

namespace {

// A view whose dialogs and messages are answered by the test.
class TestView : public CTaviView {
public:
    using CTaviView::CTaviView;
    QStringList errors;
    std::optional<int> pauseAnswer;
    std::optional<QString> titleAnswer;
    int askedPause = -1;

protected:
    std::optional<int> PromptPauseLength(int initial) override {
        askedPause = initial;
        return pauseAnswer;
    }
    std::optional<QString> PromptNewTitle(const QString&) override { return titleAnswer; }
    void ShowError(const QString& message) override { errors.append(message); }
};

class View : public tavi::test::PlaylistTest {
protected:
    View() : view(*doc) {
        view.resize(360, 240);
        view.show();
    }
    CPlayListBox* list() { return view.listBox(); }
    void dropOnList(QMimeData* mime, QPoint at = {5, 5}) {
        QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, mime, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(list()->viewport(), &enter);
        QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(list()->viewport(), &drop);
    }
    TestView view;
};

}  // namespace

TEST_F(View, ListSelectionIsTheCurrentEntry) {
    fill({QStringLiteral("1.pause"), QStringLiteral("2.pause"), QStringLiteral("3.pause")}, 1);
    EXPECT_EQ(list()->currentIndex().row(), 1);
    list()->setCurrentIndex(model().index(2));
    EXPECT_EQ(model().current(), 2);
    editor().Remove();
    EXPECT_EQ(list()->selectionModel()->selectedRows().value(0).row(), 1);
}

TEST_F(View, KeysUAndDMoveTheSelectedEntry) {
    fill({QStringLiteral("1.pause"), QStringLiteral("2.pause"), QStringLiteral("3.pause")}, 1);
    QTest::keyClick(list(), Qt::Key_U);
    EXPECT_EQ(model().path(0), QStringLiteral("2.pause"));
    EXPECT_EQ(model().current(), 0);
    QTest::keyClick(list(), Qt::Key_D);
    QTest::keyClick(list(), Qt::Key_D);
    EXPECT_EQ(model().paths(), (QStringList{QStringLiteral("1.pause"), QStringLiteral("3.pause"),
                                            QStringLiteral("2.pause")}));
    EXPECT_EQ(doc->history().Current()->commandId, cmd::kMoveDown);
    QTest::keyClick(list(), Qt::Key_U, Qt::ControlModifier);
    EXPECT_EQ(model().current(), 2) << "only the plain key moves";
}

TEST_F(View, DropOfFilesFromTheFileManager) {
    const QString a = touch(QStringLiteral("a.mp3"));
    const QString gone = files.filePath(QStringLiteral("gone.mp3"));
    auto* mime = new QMimeData;
    mime->setUrls({QUrl::fromLocalFile(a), QUrl::fromLocalFile(gone)});
    dropOnList(mime);
    QCoreApplication::processEvents();  // the drop is taken after the exchange ends
    delete mime;
    EXPECT_EQ(model().paths(), QStringList{a});
    EXPECT_EQ(view.errors, QStringList{QStringLiteral("File '%1' not found").arg(gone)});
}

TEST_F(View, ALinkToAStreamDroppedFromABrowserIsAnEntry) {
    auto* mime = new QMimeData;
    mime->setUrls({QUrl(QStringLiteral("http://radio.example:8000/live")),
                   QUrl(QStringLiteral("ftp://files.example/a.mp3"))});
    dropOnList(mime);
    QCoreApplication::processEvents();
    delete mime;
    EXPECT_EQ(model().paths(), QStringList{QStringLiteral("http://radio.example:8000/live")});
    EXPECT_TRUE(view.errors.isEmpty());
}

// Qt's dialogs leave the current folder alone; the view's follow the folder chosen, so the
// next dialog and the next start ("PlaylistDir") open there.
TEST_F(View, TheAddTracksDialogMovesTheCurrentFolderToTheChosenFiles) {
    const QString before = QDir::currentPath();
    QDir().mkpath(files.filePath(QStringLiteral("albums/one")));
    const QString song = touch(QStringLiteral("albums/one/a.mp3"));
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog);
        dialog->setDirectory(QFileInfo(song).absolutePath());
        dialog->selectFile(song);
        QMetaObject::invokeMethod(dialog, "accept");
    });
    view.OnCommand(cmd::kAddTracks);
    EXPECT_EQ(model().paths(), QStringList{song});
    EXPECT_EQ(QDir::currentPath(), QFileInfo(song).absolutePath());
    QDir::setCurrent(before);
}

TEST_F(View, ADropDuringALongDropWaitsForIt) {
    for (int i = 0; i < 3000; ++i) {
        touch(QStringLiteral("folder/%1.mp3").arg(i));
    }
    const QString b = touch(QStringLiteral("b.mp3"));
    view.DropFiles({files.filePath(QStringLiteral("folder"))});
    EXPECT_TRUE(editor().IsBusy()) << "the folder is walked in the background";
    EXPECT_FALSE(view.IsCommandEnabled(cmd::kSort)) << "no window edits meanwhile";
    view.DropFiles({b});
    EXPECT_FALSE(model().paths().contains(b)) << "not added in the middle of the first drop";
    settle();
    EXPECT_EQ(model().count(), 3001);
    EXPECT_EQ(model().paths().value(10), files.filePath(QStringLiteral("folder/10.mp3")))
        << "a folder's files in the order of their numbers";
    EXPECT_EQ(model().paths().constLast(), b);
    EXPECT_EQ(doc->history().UndoCount(), 2u) << "one step per drop";
    EXPECT_TRUE(view.IsCommandEnabled(cmd::kSort));
}

TEST_F(View, CurSelIsKeptAndRestored) {
    fill({QStringLiteral("1.pause"), QStringLiteral("2.pause"), QStringLiteral("3.pause")}, 2);
    { TestView second(*doc); }
    EXPECT_EQ(tavi::settings::viewSettings().curSel, 2);
    model().setCurrent(0);
    view.RestoreSelection();
    EXPECT_EQ(model().current(), 2);
    EXPECT_EQ(list()->currentIndex().row(), 2);
}

TEST_F(View, DragWithinTheListMovesBeforeTheEntryUnderThePointer) {
    fill({QStringLiteral("1.pause"), QStringLiteral("2.pause"), QStringLiteral("3.pause")}, 2);
    const QPoint onFirst = list()->visualRect(model().index(0)).center();
    // Qt knows a drag's source only during a real drag, so the list's report of the drag is
    // given directly, with the row under the pointer.
    Q_EMIT list()->entryDragged(2, list()->indexAt(onFirst).row());
    EXPECT_EQ(model().paths(), (QStringList{QStringLiteral("3.pause"), QStringLiteral("1.pause"),
                                            QStringLiteral("2.pause")}));
    EXPECT_EQ(list()->currentIndex().row(), 0);
}

TEST_F(View, RenameOfAPauseAsksForSeconds) {
    fill({QStringLiteral("25.pause"), QStringLiteral("x.pause")}, 0);
    view.pauseAnswer = 90;
    EXPECT_TRUE(view.OnCommand(cmd::kRename));
    EXPECT_EQ(view.askedPause, 25);
    EXPECT_EQ(model().path(0), QStringLiteral("90.pause"));
    model().setCurrent(1);
    view.OnCommand(cmd::kRename);
    EXPECT_EQ(view.askedPause, 1) << "a title that is no number starts at 1";
}

TEST_F(View, FailedRenameSaysSo) {
    const QString song = touch(QStringLiteral("song.mp3"));
    touch(QStringLiteral("taken.mp3"));
    fill({song}, 0);
    view.titleAnswer = QStringLiteral("taken");
    view.OnCommand(cmd::kRename);
    ASSERT_EQ(view.errors.size(), 1);
    EXPECT_TRUE(view.errors[0].startsWith(QStringLiteral("Failed to rename the file\n'") + song));
    EXPECT_EQ(model().path(0), song);
}

TEST_F(View, DialogTextsAndRange) {
    EditPauseDialog pause(5000);
    EXPECT_EQ(pause.windowTitle(), QStringLiteral("Edit Pause"));
    EXPECT_EQ(pause.seconds(), 3600);
    pause.spinBox()->setValue(0);
    EXPECT_EQ(pause.seconds(), 1);
    EXPECT_TRUE(pause.findChild<QLabel*>()->text() ==
                QStringLiteral("Please enter the pause length in seconds."));
    RenameFileDialog rename(QStringLiteral("Old"));
    EXPECT_EQ(rename.windowTitle(), QStringLiteral("Rename File"));
    EXPECT_EQ(rename.findChild<QLabel*>()->text(), QStringLiteral("Type a new name for this file"));
    EXPECT_EQ(rename.newTitle(), QStringLiteral("Old"));
}

TEST_F(View, CopyCutPasteThroughTheClipboard) {
    fill({QStringLiteral("1.pause"), QStringLiteral("2.pause")}, 1);
    view.OnCommand(cmd::kCut);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("2.pause"));
    EXPECT_EQ(model().count(), 1);
    view.OnCommand(cmd::kPaste);
    EXPECT_EQ(model().paths(), (QStringList{QStringLiteral("1.pause"), QStringLiteral("2.pause")}));
}

TEST_F(View, BigPasteShowsTheWaitCursorAndLosesNothing) {
    QStringList lines;
    for (int i = 0; i < 100'000; ++i) {
        lines.append(QStringLiteral("/home/user/Music/Some Artist/Some Album/%1 - Track title.mp3")
                         .arg(i, 6));
    }
    QGuiApplication::clipboard()->setText(lines.join(QLatin1String("\r\n")));
    int waitCursorSeen = 0;
    QObject::connect(&model(), &QAbstractItemModel::rowsInserted, &view, [&] {
        const QCursor* cursor = QGuiApplication::overrideCursor();
        waitCursorSeen += cursor && cursor->shape() == Qt::WaitCursor;
    });
    view.OnCommand(cmd::kPaste);
    settle();
    EXPECT_EQ(model().paths(), lines);
    EXPECT_GE(waitCursorSeen, 20) << "rows appear in groups under the wait cursor";
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(View, Screenshot) {
    fill({QStringLiteral("/music/Artist - Opening.mp3"), QStringLiteral("/music/Interlude.wav"),
          QStringLiteral("30.pause"), QStringLiteral("/dev/sr0/Track05.cda"),
          QStringLiteral("/music/Song.mid"), QStringLiteral("/music/Clip.avi"),
          QStringLiteral("/music/Mix.alb"), QStringLiteral("/music/x.flac")},
         2);
    view.SetShowTrackNo(true);
    QApplication::processEvents();
    const QString out = qEnvironmentVariable("TAVI_SCREENSHOT");
    const QPixmap shot = view.grab();
    EXPECT_FALSE(shot.isNull());
    if (!out.isEmpty()) {
        shot.save(out);
    }
}
