// CUE sheets in the list: every way of adding one lists its tracks, named from the sheet;
// refused sheets add nothing and say so; the entries survive every playlist format.
#include "PlaylistTestSupport.h"
#include "formats/CueEntries.h"
#include "support/TagWriter.h"
#include "support/TestMedia.h"

using namespace tavi::playlist;
using tavi::formats::CueTrackEntry;

namespace {

const QByteArray kSheet =
    "REM made by hand\n"
    "PERFORMER \"Band\"\nTITLE \"Album\"\nFILE \"album.wav\" WAVE\n"
    "TRACK 01 AUDIO\nTITLE \"One\"\nINDEX 01 00:00:00\n"
    "TRACK 02 AUDIO\nTITLE \"Two\"\nPERFORMER \"Guest\"\nINDEX 01 00:01:30\n"
    "TRACK 03 AUDIO\nTITLE \"Three\"\nINDEX 01 00:02:15\n";

class CueEntries : public tavi::test::PlaylistTest {
protected:
    CueEntries() {
        doc->prompts().reportError = [this](const QString& message) { errors.append(message); };
        doc->prompts().askSaveChanges = [](const QString&) { return CDocument::SaveAnswer::No; };
        sheet = touch(QStringLiteral("album/album.cue"), kSheet);
    }
    QStringList tracksOf(const QString& container, int count) const {
        QStringList list;
        for (int n = 1; n <= count; ++n) {
            list.append(CueTrackEntry(container, n));
        }
        return list;
    }
    QStringList names() {
        bool known = false;
        model().whenAllNamesKnown(nullptr, [&] { known = true; });
        EXPECT_TRUE(tavi::test::processEventsUntil([&] { return known; }, 20000));
        QStringList list;
        for (int i = 0; i < model().count(); ++i) {
            list.append(model().displayName(i));
        }
        return list;
    }

    QString sheet;
    QStringList errors;
};

}  // namespace

// Dropped, added with the dialog, pasted, in a folder, added or inserted by automation, with
// "MediaFilesOnly" on:
// the three tracks each time, named by the pattern from the sheet even with file tags off.
TEST_F(CueEntries, EveryWayOfAddingASheetListsItsTracks) {
    player().mediaFilesOnly = true;
    const QStringList tracks = tracksOf(sheet, 3);
    const std::function<void()> ways[] = {
        [&] { editor().Drop({sheet}); },
        [&] { editor().AddTracks({sheet}); },
        [&] { editor().Paste(sheet); },
        [&] { editor().AddPathFromOutside(sheet); },
        [&] { editor().AddFolder(QFileInfo(sheet).absolutePath()); },
        [&] { editor().InsertEntryFromOutside(0, sheet); },
    };
    for (const auto& add : ways) {
        fill({}, -1);
        add();
        tavi::test::processEventsUntil([&] { return model().count() == 3; }, 5000);
        settle();
        EXPECT_EQ(entries(), tracks);
    }
    const QString other = touch(QStringLiteral("other.mp3"));
    fill({other}, 0);
    editor().InsertEntryFromOutside(0, sheet);
    settle();
    EXPECT_EQ(entries(), tracks + QStringList{other}) << "inserted where asked, in order";
    EXPECT_EQ(names().mid(0, 3),
              QStringList({QStringLiteral("Band - One"), QStringLiteral("Guest - Two"),
                           QStringLiteral("Band - Three")}));
    tavi::settings::viewSettings().displayNameFormat = QStringLiteral("$(Title) ($(Album))");
    model().invalidateDisplayNames();
    EXPECT_EQ(names().first(), QStringLiteral("One (Album)"));
    EXPECT_TRUE(errors.isEmpty()) << errors.join(u'\n').toStdString();
}

// A sheet without a playable track adds nothing, and the message names it; inside a
// folder it is passed over quietly like any file the list cannot use.
TEST_F(CueEntries, ARefusedSheetAddsNothingAndSaysWhichItWas) {
    const QString bad = touch(QStringLiteral("bad/bad.cue"), "REM only\nFILE x.wav WAVE\n");
    const QString other = touch(QStringLiteral("bad/song.mp3"));
    editor().Drop({bad, other});
    settle();
    EXPECT_EQ(entries(), QStringList{other});
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors.first().contains(bad)) << errors.first().toStdString();

    errors.clear();
    fill({}, -1);
    editor().AddFolder(QFileInfo(bad).absolutePath());
    settle();
    EXPECT_EQ(entries(), QStringList{other});
    EXPECT_TRUE(errors.isEmpty());

    EXPECT_FALSE(doc->OpenDocumentFile(bad)) << "opened as a list, it is refused as well";
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors.first().contains(bad));
}

// Saved in every format and opened again, the entries are the same tracks.
TEST_F(CueEntries, SavedEntriesReadBackAsTheSameTracks) {
    const QStringList list = tracksOf(sheet, 3) + QStringList{touch(QStringLiteral("x.mp3"))};
    for (const char* extension : {"alb", "m3u", "pls", "wpl", "mpl"}) {
        const QString file = files.filePath(QStringLiteral("saved.") + QLatin1String(extension));
        fill(list, 0);
        doc->SetModifiedFlag(true);
        ASSERT_TRUE(doc->DoSave(file)) << extension;
        doc->NewDocument();
        ASSERT_TRUE(doc->OpenDocumentFile(file)) << extension;
        EXPECT_EQ(entries(), list) << extension;
    }
}

// Opened, a sheet is a list of its tracks that Save never writes over: it asks for a name.
TEST_F(CueEntries, AnOpenedSheetIsSavedUnderANewName) {
    ASSERT_TRUE(doc->OpenDocumentFile(sheet));
    EXPECT_EQ(entries(), tracksOf(sheet, 3));
    QString suggested;
    const QString chosen = files.filePath(QStringLiteral("album/mine.alb"));
    doc->prompts().askSavePath = [&](const QString& suggestion) {
        suggested = suggestion;
        return chosen;
    };
    editor().Remove();
    ASSERT_TRUE(doc->Save());
    EXPECT_EQ(suggested, files.filePath(QStringLiteral("album/album.alb")));
    EXPECT_EQ(doc->GetPathName(), chosen);
    QFile kept(sheet);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), kSheet);
}

// A FLAC carrying its sheet in a Vorbis comment lists its tracks, which play the FLAC; a
// FLAC without one stays one entry.
TEST_F(CueEntries, AFlacWithItsOwnSheetListsItsTracks) {
    const QString flac = files.filePath(QStringLiteral("whole.flac"));
    const QString plain = files.filePath(QStringLiteral("plain.flac"));
    ASSERT_TRUE(tavi::test::MakeEncoded(flac, 3.0, QStringLiteral("flacenc")));
    ASSERT_TRUE(tavi::test::MakeEncoded(plain, 1.0, QStringLiteral("flacenc")));
    ASSERT_TRUE(tavi::test::TagFile(
        flac, {{"CUESHEET", QString::fromLatin1(kSheet).replace(u'\n', QLatin1String("\r\n"))},
               {"TITLE", QStringLiteral("Whole")}}));
    editor().Drop({flac, plain});
    settle();
    EXPECT_EQ(entries(), tracksOf(flac, 3) + QStringList{plain});
    EXPECT_EQ(names().mid(0, 3),
              QStringList({QStringLiteral("Band - One"), QStringLiteral("Guest - Two"),
                           QStringLiteral("Band - Three")}));
    const auto sheetOfFlac = tavi::formats::ReadContainerSheet(flac);
    EXPECT_EQ(sheetOfFlac.tracks.front().file, flac) << "its FILE is the FLAC itself";
}
