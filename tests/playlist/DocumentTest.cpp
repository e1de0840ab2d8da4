// New, Open and Save of the playlist document and the save question.
#include "PlaylistTestSupport.h"

#include "playlist/CommandIds.h"

#include <QSignalSpy>

#include <stdexcept>

using namespace tavi::playlist;

namespace {

class Document : public tavi::test::PlaylistTest {
protected:
    Document() {
        doc->prompts().reportError = [this](const QString& message) { errors.append(message); };
        doc->prompts().askSaveChanges = [this](const QString& question) {
            questions.append(question);
            return answer;
        };
    }
    QStringList errors;
    QStringList questions;
    CDocument::SaveAnswer answer = CDocument::SaveAnswer::No;
};

}  // namespace

TEST_F(Document, NewGivesAnEmptyUntitledListWithAnEmptyBase) {
    fill({QStringLiteral("1.pause")}, 0);
    doc->NewDocument();
    EXPECT_EQ(model().count(), 0);
    EXPECT_EQ(doc->GetTitle(), QStringLiteral("Untitled"));
    EXPECT_TRUE(doc->GetPathName().isEmpty());
    EXPECT_FALSE(doc->IsModified());
    ASSERT_NE(doc->history().Current(), nullptr);
    EXPECT_EQ(doc->history().Current()->commandId, 0);
}

TEST_F(Document, OpenFolderAddsItsFilesAndBecomesThePathName) {
    QSignalSpy recent(doc.get(), &CDocument::recentFileAdded);
    const QString a = touch(QStringLiteral("Best Of/a.mp3"));
    fill({QStringLiteral("1.pause")}, 0);
    doc->RecordUndo(cmd::kAddPause);
    answer = CDocument::SaveAnswer::No;
    ASSERT_TRUE(doc->OpenDocumentFile(files.filePath(QStringLiteral("Best Of/"))));
    settle();
    EXPECT_EQ(questions.size(), 1) << questions.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(entries(), QStringList{a});
    EXPECT_EQ(doc->GetTitle(), QStringLiteral("Best Of"));
    EXPECT_EQ(doc->GetPathName(), files.filePath(QStringLiteral("Best Of")));
    EXPECT_EQ(recent.count(), 1);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_FALSE(doc->CanUndo());

    // Saving to a folder fails with a message, and SaveOnExit never saves it silently.
    doc->playlistFileHooks().save = [](const QString&, const QStringList&) {};
    EXPECT_FALSE(doc->Save());
    EXPECT_EQ(errors.size(), 1);
    player().saveOnExit = true;
    doc->SetClosing(true);
    editor().AddPause();
    answer = CDocument::SaveAnswer::Cancel;
    EXPECT_FALSE(doc->SaveModified());
    EXPECT_EQ(questions.size(), 2) << "asked, not saved silently";
}

TEST_F(Document, OpenOfTheSamePathOnlyActivates) {
    touch(QStringLiteral("Dir/a.mp3"));
    ASSERT_TRUE(doc->OpenDocumentFile(files.filePath(QStringLiteral("Dir"))));
    settle();
    EXPECT_EQ(model().count(), 1);
    editor().ClearAll();
    EXPECT_TRUE(doc->OpenDocumentFile(files.filePath(QStringLiteral("dir"))));
    EXPECT_EQ(model().count(), 0) << "not reloaded";
    EXPECT_TRUE(questions.isEmpty());
}

TEST_F(Document, OpenOfAMissingPathFailsSilently) {
    fill({QStringLiteral("1.pause")}, 0);
    EXPECT_FALSE(doc->OpenDocumentFile(files.filePath(QStringLiteral("nothing.alb"))));
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_EQ(entries(), QStringList{QStringLiteral("1.pause")});
}

TEST_F(Document, OpenPlaylistFileThroughTheReaderSeam) {
    const QString album = touch(QStringLiteral("mix.alb"));
    QFile real(files.filePath(QStringLiteral("real.alb")));
    ASSERT_TRUE(real.open(QIODevice::WriteOnly));
    real.write("\xef\xbb\xbf/music/a.mp3\r\n10.pause\r\n");
    real.close();
    ASSERT_TRUE(doc->OpenDocumentFile(real.fileName())) << "the album reader is connected";
    EXPECT_EQ(entries(), (QStringList{QStringLiteral("/music/a.mp3"), QStringLiteral("10.pause")}));
    fill({QStringLiteral("1.pause")}, 0);
    EXPECT_FALSE(doc->OpenDocumentFile(files.filePath(QStringLiteral("gone/x.alb"))));
    EXPECT_EQ(entries(), QStringList{QStringLiteral("1.pause")}) << "a failed open keeps the list";

    doc->playlistFileHooks().load = [](const QString& path) -> QStringList {
        if (path.endsWith(QLatin1String("bad.alb"))) {
            throw std::runtime_error("Bad playlist");
        }
        return {QStringLiteral("/a.mp3"), QString(261, QLatin1Char('x')),
                QStringLiteral("notes.txt")};
    };
    ASSERT_TRUE(doc->OpenDocumentFile(album));
    EXPECT_EQ(entries(), (QStringList{QStringLiteral("/a.mp3"), QString(261, QLatin1Char('x')),
                                      QStringLiteral("notes.txt")}))
        << "no filter, and entries past 260 characters are kept";
    EXPECT_EQ(model().current(), 0);
    EXPECT_EQ(doc->GetTitle(), QStringLiteral("mix.alb"));
    EXPECT_EQ(doc->history().Current()->commandId, 0);
    EXPECT_FALSE(doc->OpenDocumentFile(touch(QStringLiteral("bad.alb"))));
    EXPECT_EQ(errors.constLast(), QStringLiteral("Bad playlist"));
}

TEST_F(Document, SaveWritesThroughTheWriterSeam) {
    QStringList written;
    QString writtenTo;
    doc->playlistFileHooks().save = [&](const QString& path, const QStringList& list) {
        writtenTo = path;
        written = list;
    };
    const QString chosen = files.filePath(QStringLiteral("chosen.alb"));
    QString suggested;
    doc->prompts().askSavePath = [&](const QString& suggestion) {
        suggested = suggestion;
        return chosen;
    };
    editor().AddPause();
    ASSERT_TRUE(doc->Save());
    EXPECT_EQ(suggested, QStringLiteral("Untitled.alb"));
    EXPECT_EQ(writtenTo, chosen);
    EXPECT_EQ(written, QStringList{QStringLiteral("10.pause")});
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(doc->GetPathName(), chosen);
    EXPECT_EQ(doc->GetTitle(), QStringLiteral("chosen.alb"));
}

TEST_F(Document, FailedSaveToADialogPathKeepsTheFileItWasToReplace) {
    const QString chosen = touch(QStringLiteral("existing.alb"));
    doc->playlistFileHooks().save = [](const QString&, const QStringList&) {
        throw std::runtime_error("Disk full");
    };
    doc->prompts().askSavePath = [&](const QString&) { return chosen; };
    editor().AddPause();
    EXPECT_FALSE(doc->DoSave(QString()));
    EXPECT_TRUE(QFile::exists(chosen));
    EXPECT_EQ(errors, QStringList{QStringLiteral("Disk full")});
    EXPECT_TRUE(doc->IsModified());
}

TEST_F(Document, SaveModifiedRules) {
    const QString own = touch(QStringLiteral("own.alb"));
    int saves = 0;
    doc->playlistFileHooks().load = [](const QString&) { return QStringList{}; };
    doc->playlistFileHooks().save = [&](const QString&, const QStringList&) { ++saves; };
    ASSERT_TRUE(doc->OpenDocumentFile(own));
    EXPECT_TRUE(doc->SaveModified()) << "unchanged: nothing asked";
    editor().AddPause();
    answer = CDocument::SaveAnswer::Cancel;
    EXPECT_FALSE(doc->SaveModified());
    EXPECT_EQ(questions, QStringList{QStringLiteral("Save changes to own.alb?")});
    player().saveOnExit = true;
    doc->SetClosing(true);
    EXPECT_TRUE(doc->SaveModified());
    EXPECT_EQ(saves, 1);
    EXPECT_EQ(questions.size(), 1) << "saved without asking";
    editor().AddPause();
    answer = CDocument::SaveAnswer::Yes;
    doc->SetClosing(false);
    EXPECT_TRUE(doc->SaveModified());
    EXPECT_EQ(saves, 2);
}
