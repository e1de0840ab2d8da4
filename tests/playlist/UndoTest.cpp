// Undo and redo of the playlist document through whole snapshots.
#include "PlaylistTestSupport.h"

#include "playlist/CommandIds.h"

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
