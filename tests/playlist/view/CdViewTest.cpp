// CD entries in the playlist: Add All CD Tracks, the CD root opened as a playlist, and
// "Edit CD data base" reached by Rename of a ".cda" entry, on a generated disc image.
#include "../PlaylistTestSupport.h"

#include "engines/cd/CCdDatabase.h"
#include "engines/cd/CdServices.h"
#include "playlist/CdDataEdit.h"
#include "playlist/CommandIds.h"
#include "playlist/view/CDatabaseDlg.h"
#include "playlist/view/CTaviView.h"
#include "support/CdImage.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace tavi::playlist;
using tavi::engines::CCdDatabase;

namespace {

class CdTestView : public CTaviView {
public:
    using CTaviView::CTaviView;
    QStringList errors;
    std::optional<CdDataEdit> shown;
    std::function<void(CdDataEdit&)> edit;  // unset: Cancel

protected:
    bool PromptCdData(CdDataEdit& data) override {
        shown = data;
        if (!edit) {
            return false;
        }
        edit(data);
        return true;
    }
    void ShowError(const QString& message) override { errors.append(message); }
};

class CdView : public tavi::test::PlaylistTest {
protected:
    CdView() : image(files.path(), {75, 90, 40}), view(*doc) {
        qputenv("TAVI_CD_DRIVE", image.Drive().toLocal8Bit());
    }
    ~CdView() override { qunsetenv("TAVI_CD_DRIVE"); }

    QStringList Tracks(int count) const {
        return tavi::engines::cd::CdTrackEntries(image.Root(), count);
    }

    tavi::test::CdImage image;
    CdTestView view;
};

}  // namespace

TEST_F(CdView, AddAllCdTracksAddsTheDiscsTracksInOrder) {
    fill({QStringLiteral("1.pause")}, 0);
    EXPECT_TRUE(view.IsCommandEnabled(cmd::kAddCdTracks));
    EXPECT_TRUE(view.OnCommand(cmd::kAddCdTracks));
    EXPECT_EQ(entries(), QStringList{QStringLiteral("1.pause")} + Tracks(3));
    EXPECT_EQ(entries().constLast(), image.Root() + QStringLiteral("Track03.cda"));
    EXPECT_EQ(doc->history().Current()->commandId, cmd::kAddCdTracks);
    EXPECT_TRUE(view.errors.isEmpty());

    qputenv("TAVI_CD_DRIVE", "");  // no drive
    view.OnCommand(cmd::kAddCdTracks);
    // A drive holding no disc: the image's sheet is gone.
    qputenv("TAVI_CD_DRIVE", image.Drive().toLocal8Bit());
    QFile::remove(image.Drive());
    view.OnCommand(cmd::kAddCdTracks);
    EXPECT_EQ(view.errors, QStringList(2, QStringLiteral("No CD Found")));
    EXPECT_EQ(model().count(), 4);
}

// Opening the drive's root (with or without its "/", in any case) is the disc's tracks.
TEST_F(CdView, OpeningTheCdRootOpensItsTracks) {
    fill({QStringLiteral("1.pause"), QStringLiteral("2.pause")}, 0);
    ASSERT_TRUE(CTaviDoc::IsCdRoot(image.Drive()));
    EXPECT_TRUE(CTaviDoc::IsCdRoot(image.Root().toUpper()));
    EXPECT_FALSE(CTaviDoc::IsCdRoot(files.path()));
    EXPECT_TRUE(doc->OpenDocumentFile(image.Root()));
    EXPECT_EQ(entries(), Tracks(3));
    EXPECT_FALSE(doc->CanUndo());
    EXPECT_TRUE(doc->OpenDocumentFile(image.Drive()));
    EXPECT_EQ(entries(), Tracks(3));
    QStringList reported;
    doc->prompts().reportError = [&](const QString& message) { reported.append(message); };
    QFile::remove(image.BinPath());  // the drive holds no disc
    doc->NewDocument();
    EXPECT_TRUE(doc->OpenDocumentFile(image.Root()));
    EXPECT_TRUE(entries().isEmpty());
    EXPECT_EQ(reported, QStringList{QStringLiteral("No CD Found")});
}

// Rename of track 2 edits the disc's data with track 2 selected; OK writes every name,
// the artist and the title to the disc's section; the entry itself stays.
TEST_F(CdView, RenameOfACdEntryEditsTheDiscsData) {
    fill(Tracks(3), 1);
    view.edit = [](CdDataEdit& data) {
        data.SetSelectedName(QStringLiteral("Second Song"));
        data.SetArtist(QStringLiteral("The Band"));
        data.SetTitle(QStringLiteral("The Album"));
    };
    view.OnCommand(cmd::kRename);
    ASSERT_TRUE(view.shown.has_value()) << view.errors.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(view.shown->selected(), 1);
    EXPECT_EQ(view.shown->names(),
              (QStringList{QStringLiteral("Track 01"), QStringLiteral("Track 02"),
                           QStringLiteral("Track 03")}));
    EXPECT_EQ(view.shown->artist(), QStringLiteral("New Artist"));
    EXPECT_EQ(entries(), Tracks(3));

    CCdDatabase reread(CCdDatabase::DefaultPath());
    reread.IdentifyDisc();
    EXPECT_EQ(reread.GetTrackName(1), QStringLiteral("Second Song"));
    EXPECT_EQ(reread.GetTrackName(2), QStringLiteral("Track 03"));
    EXPECT_EQ(reread.GetArtist(), QStringLiteral("The Band"));
    EXPECT_EQ(reread.GetTitle(), QStringLiteral("The Album"));

    // Cancel writes nothing; an entry whose number the disc lacks selects its last track.
    view.edit = nullptr;
    model().reset({image.Root() + QStringLiteral("Track42.cda")}, 0);
    view.OnCommand(cmd::kRename);
    EXPECT_EQ(view.shown->selected(), 2);
    EXPECT_EQ(view.shown->names().value(1), QStringLiteral("Second Song"));

    QFile::remove(image.Drive());
    view.shown.reset();
    view.OnCommand(cmd::kRename);
    EXPECT_FALSE(view.shown.has_value());
    EXPECT_EQ(view.errors, QStringList{QStringLiteral("No CD Found")});
}

// The dialog itself: Enter goes from the combo box to the artist, to the title and back;
// typing replaces the selected track's name; Enter on a button is OK.
TEST_F(CdView, TheDialogsFieldsAndEnterKeys) {
    CCdDatabase database(files.filePath(QStringLiteral("cd.ini")));
    database.IdentifyDisc();
    CDatabaseDlg dialog(CdDataEdit(database, 2));
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Edit CD data base"));
    EXPECT_EQ(dialog.tracks()->count(), 3);
    EXPECT_EQ(dialog.tracks()->currentIndex(), 2);
    EXPECT_EQ(dialog.number()->text(), QStringLiteral("3"));
    EXPECT_EQ(dialog.artist()->text(), QStringLiteral("New Artist"));
    EXPECT_TRUE(dialog.tracks()->hasFocus());

    // Keys go where the user's would: to the widget with the focus.
    const auto type = [](const QString& text) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(QApplication::focusWidget(), text);
    };
    const auto enter = [](Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); };
    type(QStringLiteral("Finale"));
    EXPECT_EQ(dialog.tracks()->itemText(2), QStringLiteral("Finale"));
    enter(Qt::Key_Return);
    EXPECT_TRUE(dialog.artist()->hasFocus());
    EXPECT_EQ(dialog.tracks()->count(), 3) << "Enter adds no track";
    type(QStringLiteral("Quartet"));
    enter(Qt::Key_Enter);
    EXPECT_TRUE(dialog.title()->hasFocus());
    enter(Qt::Key_Return);
    EXPECT_TRUE(dialog.tracks()->hasFocus());
    enter(Qt::Key_Return);
    EXPECT_TRUE(dialog.artist()->hasFocus());
    EXPECT_TRUE(dialog.isVisible());

    dialog.tracks()->setFocus();
    dialog.tracks()->setCurrentIndex(0);
    EXPECT_EQ(dialog.number()->text(), QStringLiteral("1"));
    type(QStringLiteral("Overture"));
    EXPECT_EQ(dialog.data().names(),
              (QStringList{QStringLiteral("Overture"), QStringLiteral("Track 02"),
                           QStringLiteral("Finale")}));
    EXPECT_EQ(dialog.data().artist(), QStringLiteral("Quartet"));

    dialog.cancelButton()->setFocus();
    QTest::keyClick(dialog.cancelButton(), Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    ASSERT_TRUE(dialog.data().WriteTo(database));
    CCdDatabase reread(files.filePath(QStringLiteral("cd.ini")));
    reread.IdentifyDisc();
    EXPECT_EQ(reread.GetTrackName(0), QStringLiteral("Overture"));
    EXPECT_EQ(reread.GetTrackName(2), QStringLiteral("Finale"));
    EXPECT_EQ(reread.GetArtist(), QStringLiteral("Quartet"));
}
