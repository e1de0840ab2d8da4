// Undo and redo of the playlist document through whole snapshots.
#include "PlaylistTestSupport.h"

#include "playlist/CommandIds.h"
#include "support/QtApp.h"

using namespace tavi::playlist;

namespace {

class Undo : public tavi::test::PlaylistTest {
protected:
    void addPause(int seconds) {
        model().append(QStringLiteral("%1.pause").arg(seconds));
        doc->RecordUndo(cmd::kAddPause);
    }
};

}  // namespace

TEST_F(Undo, ElevenChangesTenUndos) {
    for (int i = 1; i <= 11; ++i) {
        addPause(i);
    }
    EXPECT_TRUE(doc->IsModified());
    int undone = 0;
    while (doc->CanUndo()) {
        doc->OnEditUndo();
        ++undone;
    }
    EXPECT_EQ(undone, 10);
    EXPECT_EQ(entries(), QStringList{QStringLiteral("1.pause")}) << "the base (empty list) is gone";
    EXPECT_FALSE(doc->IsModified()) << "back at the oldest state kept";
    doc->OnEditRedo();
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(entries().size(), 2);
}

TEST_F(Undo, AfterNewTheFirstChangeUndoesToTheEmptyList) {
    addPause(5);
    ASSERT_TRUE(doc->CanUndo());
    doc->OnEditUndo();
    EXPECT_TRUE(entries().isEmpty());
    EXPECT_EQ(model().current(), -1);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_FALSE(doc->CanUndo());
    EXPECT_TRUE(doc->CanRedo());
}

TEST_F(Undo, RestoresTheSelectionOfTheSnapshot) {
    fill({QStringLiteral("1.pause"), QStringLiteral("2.pause"), QStringLiteral("3.pause")}, 2);
    model().setCurrent(0);  // a selection change alone is not a step
    editor().MoveDown();    // 1 moves below 2, stays selected at index 1
    EXPECT_EQ(model().current(), 1);
    model().setCurrent(0);
    doc->OnEditUndo();
    EXPECT_EQ(entries(), (QStringList{QStringLiteral("1.pause"), QStringLiteral("2.pause"),
                                      QStringLiteral("3.pause")}));
    EXPECT_EQ(model().current(), 2) << "the base's selection, not the one shown before Undo";
    doc->OnEditRedo();
    EXPECT_EQ(model().current(), 1);
}

TEST_F(Undo, NewChangeAfterUndoThenRedo) {
    addPause(1);
    addPause(2);
    doc->OnEditUndo();  // [1]; redo holds [1,2]
    addPause(3);        // [1,3]
    EXPECT_TRUE(doc->CanRedo()) << "a new change keeps the redo list";
    doc->OnEditRedo();
    EXPECT_EQ(entries(), (QStringList{QStringLiteral("1.pause"), QStringLiteral("2.pause")}));
    doc->OnEditUndo();
    EXPECT_EQ(entries(), (QStringList{QStringLiteral("1.pause"), QStringLiteral("3.pause")}))
        << "the new change went onto the undo list";
}

TEST_F(Undo, DisabledHistoryOnlySetsTheModifiedFlag) {
    CTaviDoc fresh;  // never New or Open: history off
    fresh.model().append(QStringLiteral("1.pause"));
    fresh.RecordUndo(cmd::kAddPause);
    EXPECT_TRUE(fresh.IsModified());
    EXPECT_FALSE(fresh.CanUndo());
    EXPECT_EQ(fresh.history().Current(), nullptr);
}

// Edits from automation are undone like the window's: a burst of them is one step, and a
// window edit after the burst undoes to exactly the list the burst left.
TEST_F(Undo, EditsFromOutsideMixWithWindowEdits) {
    const QStringList four{QStringLiteral("/m/a.mp3"), QStringLiteral("/m/b.mp3"),
                           QStringLiteral("/m/c.mp3"), QStringLiteral("/m/d.mp3")};
    tavi::test::coreApplication();  // the burst's quiet timer needs an event loop
    for (const QString& path : four) {
        editor().AddPathFromOutside(path);
    }
    EXPECT_TRUE(doc->IsModified()) << "an exit must ask about these";
    EXPECT_TRUE(doc->CanUndo());
    model().setCurrent(1);
    editor().Remove();  // the window's Delete
    ASSERT_EQ(entries().size(), 3);
    doc->OnEditUndo();
    EXPECT_EQ(entries(), four);
    doc->OnEditUndo();
    EXPECT_TRUE(entries().isEmpty()) << "the burst of adds is one step";
    EXPECT_FALSE(doc->CanUndo());
    doc->OnEditRedo();
    EXPECT_EQ(entries(), four);

    // Outside edits after a window edit, then Undo straight away (nothing flushed yet).
    editor().InsertEntryFromOutside(0, QStringLiteral("/m/z.mp3"));
    editor().RemoveEntryFromOutside(4);
    EXPECT_EQ(entries().size(), 4);
    doc->OnEditUndo();
    EXPECT_EQ(entries(), four);
    doc->OnEditRedo();
    EXPECT_EQ(entries().first(), QStringLiteral("/m/z.mp3"));
    EXPECT_EQ(entries().size(), 4);
}

TEST_F(Undo, AQuietMomentEndsABurstOfOutsideEdits) {
    tavi::test::coreApplication();
    editor().AddPathFromOutside(QStringLiteral("/m/a.mp3"));
    ASSERT_FALSE(doc->history().CanUndo()) << "pending, not stored yet";
    ASSERT_TRUE(tavi::test::processEventsUntil([&] { return doc->history().CanUndo(); }, 10000));
    editor().AddPathFromOutside(QStringLiteral("/m/b.mp3"));
    doc->OnEditUndo();
    EXPECT_EQ(entries(), QStringList{QStringLiteral("/m/a.mp3")});
}

// A client that adds and then marks the document saved (before closing it) is not asked
// to save: storing the burst's step later leaves the flag as the client set it.
TEST_F(Undo, MarkingSavedDuringABurstStandsWhenItsStepIsStored) {
    tavi::test::coreApplication();
    editor().AddPathFromOutside(QStringLiteral("/m/a.mp3"));
    ASSERT_TRUE(doc->IsModified());
    doc->SetModifiedFlag(false);
    ASSERT_TRUE(tavi::test::processEventsUntil([&] { return doc->history().CanUndo(); }, 10000));
    EXPECT_FALSE(doc->IsModified());
}
