// The editing commands of the playlist: selection rules, paste, sort, shuffle, filters.
#include "PlaylistTestSupport.h"

#include "playlist/CommandIds.h"
#include "playlist/ShufflePlaylist.h"

#include <QSignalSpy>
#include <QUrl>

#include <algorithm>

using namespace tavi::playlist;

namespace {

QStringList pauses(std::initializer_list<int> seconds) {
    QStringList list;
    for (int s : seconds) {
        list.append(QStringLiteral("%1.pause").arg(s));
    }
    return list;
}

class Editor : public tavi::test::PlaylistTest {};

}  // namespace

TEST_F(Editor, RemoveSelectsTheSameIndexOrTheOneBefore) {
    const struct {
        int count;
        int selected;
        int expectedSelection;
    } cases[] = {{3, 1, 1}, {3, 2, 1}, {3, 0, 0}, {1, 0, -1}};
    for (const auto& c : cases) {
        QStringList list;
        for (int i = 0; i < c.count; ++i) {
            list.append(QStringLiteral("%1.pause").arg(i));
        }
        fill(list, c.selected);
        editor().Remove();
        EXPECT_EQ(model().count(), c.count - 1);
        EXPECT_EQ(model().current(), c.expectedSelection) << c.count << " " << c.selected;
        EXPECT_EQ(doc->history().Current()->commandId, cmd::kRemove);
    }
}

TEST_F(Editor, CutCopiesThenRemoves) {
    fill(pauses({1, 2, 3}), 2);
    EXPECT_EQ(editor().Copy(), QStringLiteral("3.pause"));
    EXPECT_EQ(editor().Cut(), QStringLiteral("3.pause"));
    EXPECT_EQ(entries(), pauses({1, 2}));
    EXPECT_EQ(model().current(), 1);
    EXPECT_EQ(doc->history().Current()->commandId, cmd::kRemove);
}

TEST_F(Editor, RemoveEntryKeepsTheSelectionOnItsEntry) {
    fill(pauses({1, 2, 3}), 2);
    EXPECT_TRUE(editor().RemoveEntry(0));
    EXPECT_EQ(model().current(), 1);
    EXPECT_FALSE(editor().RemoveEntry(2));
    EXPECT_FALSE(doc->CanUndo()) << "automation's remove records nothing";
}

TEST_F(Editor, MovesKeepTheMovedEntrySelected) {
    using Op = void (PlaylistEditor::*)();
    const struct {
        Op op;
        int selected;
        QStringList expected;
        int expectedSelection;
        int undoId;
    } cases[] = {
        {&PlaylistEditor::MoveUp, 1, pauses({2, 1, 3}), 0, cmd::kMoveUp},
        {&PlaylistEditor::MoveUp, 0, pauses({1, 2, 3}), 0, cmd::kMoveUp},
        {&PlaylistEditor::MoveDown, 1, pauses({1, 3, 2}), 2, cmd::kMoveDown},
        {&PlaylistEditor::MoveDown, 2, pauses({1, 2, 3}), 2, cmd::kMoveDown},
        {&PlaylistEditor::MoveToBottom, 0, pauses({2, 3, 1}), 2, cmd::kMoveToBottom},
        {&PlaylistEditor::MoveToTop, 2, pauses({3, 1, 2}), 0, cmd::kMoveToTop},
    };
    for (const auto& c : cases) {
        fill(pauses({1, 2, 3}), c.selected);
        (editor().*c.op)();
        EXPECT_EQ(entries(), c.expected);
        EXPECT_EQ(model().current(), c.expectedSelection);
        ASSERT_TRUE(doc->CanUndo()) << "recorded even when nothing moved";
        EXPECT_EQ(doc->history().Current()->commandId, c.undoId);
    }
}

TEST_F(Editor, PasteSplitsLines) {
    const struct {
        const char* text;
        int added;
    } cases[] = {
        {"1.pause\r\n\r\n2.pause", 2},
        {"1.pause\r2.pause\r", 2},
        {"1.pause\n2.pause\n3.pause\n", 3},  // line ends of Linux programs
        {"\r\n\r\n", 0},
        {"1.pause\r\n\n2.pause", 2},
    };
    for (const auto& c : cases) {
        fill({}, -1);
        editor().Paste(QString::fromUtf8(c.text));
        EXPECT_EQ(model().count(), c.added) << c.text;
        EXPECT_EQ(model().current(), c.added ? 0 : -1);
        EXPECT_EQ(doc->history().Current()->commandId, cmd::kPaste);
    }
}

TEST_F(Editor, PasteOfManyEntriesLosesNothingAndStaysResponsive) {
    QStringList lines;
    for (int i = 0; i < 100'000; ++i) {
        lines.append(QStringLiteral("/music/album/track %1.mp3").arg(i));
    }
    QSignalSpy shown(&model(), &QAbstractItemModel::rowsInserted);
    const std::size_t steps = doc->history().UndoCount();
    editor().Paste(lines.join(QLatin1String("\r\n")));
    EXPECT_TRUE(editor().IsBusy()) << "the rest comes in later turns of the event loop";
    EXPECT_GT(model().count(), 0) << "rows are shown while the paste goes on";
    EXPECT_EQ(doc->history().UndoCount(), steps) << "recorded when everything is in";
    settle();
    EXPECT_EQ(entries(), lines);
    EXPECT_GE(shown.count(), 20);
    EXPECT_EQ(doc->history().Current()->commandId, cmd::kPaste);
}

TEST_F(Editor, SortByDisplayNameWithoutRegardToCase) {
    fill({QStringLiteral("/z/b.mp3"), QStringLiteral("/a/C.mp3"), QStringLiteral("/y/A.mp3"),
          QStringLiteral("30.pause")},
         3);
    editor().Sort();
    EXPECT_EQ(entries(), (QStringList{QStringLiteral("30.pause"), QStringLiteral("/y/A.mp3"),
                                      QStringLiteral("/z/b.mp3"), QStringLiteral("/a/C.mp3")}));
    EXPECT_EQ(model().current(), 0);
    EXPECT_EQ(doc->history().Current()->commandId, cmd::kSort);
}

TEST_F(Editor, ShuffleKeepsEveryEntry) {
    QStringList list;
    for (int i = 0; i < 500; ++i) {
        list.append(QStringLiteral("%1.pause").arg(i % 50));  // duplicates too
    }
    fill(list, 7);
    EXPECT_TRUE(editor().CanShuffle());
    editor().Shuffle();
    QStringList after = entries();
    EXPECT_NE(after, list);
    std::sort(after.begin(), after.end());
    std::sort(list.begin(), list.end());
    EXPECT_EQ(after, list);
    EXPECT_EQ(model().current(), 0);
    fill(pauses({1}), 0);
    EXPECT_FALSE(editor().CanShuffle());
}

TEST(ShuffleOrder, IsAPermutationFollowingTheRuntimeGenerator) {
    RuntimeRandom first(1);
    EXPECT_EQ(first.next(), 41);  // the C runtime's well-known first value for seed 1
    EXPECT_EQ(first.next(), 18467);
    for (int n : {1, 2, 7, 40'000, 100'000}) {
        RuntimeRandom random(static_cast<uint32_t>(n));
        std::vector<int> order = ShuffleOrder(n, random);
        std::vector<int> seen(std::size_t(n), 0);
        for (int index : order) {
            ASSERT_GE(index, 0);
            ASSERT_LT(index, n);
            ++seen[std::size_t(index)];
        }
        EXPECT_TRUE(std::all_of(seen.begin(), seen.end(), [](int s) { return s == 1; })) << n;
        if (n == 100'000) {
            EXPECT_GE(*std::max_element(order.begin(), order.begin() + 100), 32768)
                << "entries past 32768 come up early too";
        }
    }
    RuntimeRandom random(3);
    RuntimeRandom again(3);
    const std::vector<int> order = ShuffleOrder(3, random);
    // The k-th remaining entry: positions taken by the rules, not by a library shuffle.
    std::vector<int> remaining{0, 1, 2};
    std::vector<int> expected;
    for (int i = 0; i < 3; ++i) {
        const int k = again.next() % (3 - i);
        expected.push_back(remaining[std::size_t(k)]);
        remaining.erase(remaining.begin() + k);
    }
    EXPECT_EQ(order, expected);
}

TEST_F(Editor, MediaFilesOnlyFiltersAddingButNotInserting) {
    player().mediaFilesOnly = true;
    const QString m3u = touch(QStringLiteral("list.m3u"));
    const QString txt = touch(QStringLiteral("notes.txt"));
    const QString mp3 = touch(QStringLiteral("song.mp3"));
    EXPECT_TRUE(editor().Drop({m3u, txt, mp3}).isEmpty()) << "no message for refused files";
    EXPECT_EQ(entries(), QStringList{mp3});
    for (const char* name : {"a.m3u", "a.pls", "a.alb", "a.wpl", "a.rotation", "a.start", "a.stop",
                             "a.txt", "a.mp3.jingle", "a.dir"}) {
        EXPECT_TRUE(editor().InsertEntry(0, QString::fromUtf8(name))) << name;
    }
    EXPECT_FALSE(editor().InsertEntry(0, QStringLiteral("a.record")));
    EXPECT_FALSE(editor().InsertEntry(99, QStringLiteral("a.mp3")));
    player().mediaFilesOnly = false;
    EXPECT_TRUE(editor().AddEntry(txt));
    EXPECT_TRUE(editor().InsertEntry(-1, QStringLiteral("a.record")));
    EXPECT_EQ(entries().constLast(), QStringLiteral("a.record"));
}

TEST_F(Editor, DropReportsMissingFilesAndAddsTheRest) {
    const QString a = touch(QStringLiteral("a.mp3"));
    const QString missing = files.filePath(QStringLiteral("gone.mp3"));
    const QString b = touch(QStringLiteral("b.wav"));
    EXPECT_EQ(editor().Drop({a, missing, b}), QStringList{missing});
    EXPECT_EQ(entries(), (QStringList{a, b}));
    EXPECT_EQ(model().current(), 0);
    EXPECT_EQ(doc->history().Current()->commandId, cmd::kDrop);
}

TEST_F(Editor, AutoPlayOnlyWhenTheListWasEmptyAndNothingPlays) {
    QSignalSpy play(&editor(), &PlaylistEditor::playRequested);
    const QString a = touch(QStringLiteral("a.mp3"));
    editor().Drop({a});
    EXPECT_EQ(play.count(), 0) << "AutoPlay is off";
    player().autoPlay = true;
    editor().Drop({a});
    EXPECT_EQ(play.count(), 0) << "the list was not empty";
    fill({}, -1);
    bool playing = true;
    editor().hooks().isPlaying = [&] { return playing; };
    editor().Drop({a});
    EXPECT_EQ(play.count(), 0) << "something plays";
    fill({}, -1);
    playing = false;
    editor().AddTracks({a});
    EXPECT_EQ(play.count(), 1);
}

TEST_F(Editor, PlaylistFilesExpandThroughTheSeam) {
    player().mediaFilesOnly = true;
    const QString album = touch(QStringLiteral("x.alb"));
    const QString m3u = touch(QStringLiteral("x.m3u"));
    editor().Drop({album});
    EXPECT_TRUE(entries().isEmpty()) << "no reader connected: one entry, refused as no media";
    editor().hooks().playlistExpander = [](const QString&) {
        return QStringList{QStringLiteral("1.pause"), QStringLiteral("x.txt"),
                           QStringLiteral("b.mp3")};
    };
    editor().Drop({album, m3u});
    EXPECT_EQ(entries(), (QStringList{QStringLiteral("1.pause"), QStringLiteral("b.mp3")}))
        << "each entry goes through AddEntry; an .m3u is never expanded";
}

// A list of radio streams is read into its entries like an album; one on a web server is
// left to the player, which cannot read it here.
TEST_F(Editor, PlsFilesExpandIntoTheirStreams) {
    player().mediaFilesOnly = false;  // a list on a web server is kept as the entry it is
    const QString pls = touch(QStringLiteral("radio.pls"));
    QStringList expanded;
    editor().hooks().playlistExpander = [&expanded](const QString& path) {
        expanded.append(path);
        return QStringList{QStringLiteral("http://radio.example:8000/live"),
                           QStringLiteral("https://radio.example/b.ogg")};
    };
    editor().Drop({pls});
    editor().AddPath(QStringLiteral("file://") + pls);
    editor().AddPath(QStringLiteral("http://radio.example/list.pls"));
    EXPECT_EQ(expanded, (QStringList{pls, pls}));
    EXPECT_EQ(entries(), (QStringList{QStringLiteral("http://radio.example:8000/live"),
                                      QStringLiteral("https://radio.example/b.ogg"),
                                      QStringLiteral("http://radio.example:8000/live"),
                                      QStringLiteral("https://radio.example/b.ogg"),
                                      QStringLiteral("http://radio.example/list.pls")}));
}

TEST_F(Editor, StreamUrlsAreDroppedAndFileUrlsBecomeTheirFiles) {
    player().mediaFilesOnly = true;
    const QString song = touch(QStringLiteral("a b.wav"));
    const QString songUrl = QUrl::fromLocalFile(song).toString(QUrl::FullyEncoded);
    EXPECT_TRUE(editor().Drop({QStringLiteral("http://radio.example:8000/")}).isEmpty())
        << "a stream is never reported missing";
    editor().AddPath(songUrl);
    EXPECT_TRUE(editor().InsertEntry(0, songUrl));
    EXPECT_TRUE(editor().AddEntry(QStringLiteral("https://radio.example/live")));
    EXPECT_EQ(entries(), (QStringList{song, QStringLiteral("http://radio.example:8000/"), song,
                                      QStringLiteral("https://radio.example/live")}));
    EXPECT_EQ(doc->history().Current()->commandId, cmd::kDrop);
}

TEST_F(Editor, DragMovesBeforeTheTargetEntry) {
    const struct {
        int from;
        int target;
        QStringList expected;
        int selection;
    } cases[] = {
        {0, 2, pauses({2, 1, 3, 4}), 1},  {3, 0, pauses({4, 1, 2, 3}), 0},
        {1, 1, pauses({1, 2, 3, 4}), 3},  {1, 2, pauses({1, 2, 3, 4}), 3},
        {1, -1, pauses({1, 2, 3, 4}), 3},
    };
    for (const auto& c : cases) {
        fill(pauses({1, 2, 3, 4}), 3);
        editor().DragMove(c.from, c.target);
        EXPECT_EQ(entries(), c.expected) << c.from << "->" << c.target;
        EXPECT_EQ(model().current(), c.selection);
    }
}

TEST_F(Editor, RenamePauseKeepsTheExtension) {
    fill({QStringLiteral("/somewhere/10.Pause")}, 0);
    editor().RenamePause(45);
    EXPECT_EQ(entries(), QStringList{QStringLiteral("45.Pause")});
    EXPECT_TRUE(doc->IsModified());
    EXPECT_FALSE(doc->CanUndo());
}

TEST_F(Editor, RenameFileMovesItOnDisk) {
    const QString old = touch(QStringLiteral("dir/Old Name.Mp3"));
    const QString taken = touch(QStringLiteral("dir/Taken.Mp3"));
    fill({old}, 0);
    EXPECT_EQ(editor().RenameFile(QStringLiteral("Taken")), PlaylistEditor::RenameResult::Failed);
    EXPECT_EQ(editor().RenameFile(QStringLiteral("../up")), PlaylistEditor::RenameResult::Failed);
    EXPECT_EQ(entries(), QStringList{old});
    EXPECT_EQ(editor().RenameFile(QStringLiteral("New Name")),
              PlaylistEditor::RenameResult::Renamed);
    const QString renamed = files.filePath(QStringLiteral("dir/New Name.Mp3"));
    EXPECT_EQ(entries(), QStringList{renamed});
    EXPECT_TRUE(QFile::exists(renamed));
    EXPECT_FALSE(QFile::exists(old));
    EXPECT_TRUE(QFile::exists(taken));
}

TEST_F(Editor, DeleteFileMovesItToTheTrashAndStopsItFirst) {
    const QByteArray oldDataHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(files.filePath(QStringLiteral("data"))));
    const QString song = touch(QStringLiteral("song.mp3"));
    fill({QStringLiteral("1.pause"), song}, 1);
    bool stopped = false;
    editor().hooks().isPlaying = [] { return true; };
    editor().hooks().playingFile = [&] { return song; };
    std::function<void()> whenStopped;
    editor().hooks().stopPlayback = [&](std::function<void()> then) {
        stopped = true;
        whenStopped = std::move(then);
    };
    EXPECT_TRUE(editor().DeleteFile());
    EXPECT_TRUE(stopped);
    EXPECT_TRUE(QFile::exists(song)) << "the file is deleted once playback has stopped";
    ASSERT_TRUE(whenStopped);
    whenStopped();
    if (oldDataHome.isNull()) {
        qunsetenv("XDG_DATA_HOME");  // set but empty is not the same as unset
    } else {
        qputenv("XDG_DATA_HOME", oldDataHome);
    }
    if (QFile::exists(song)) {
        GTEST_SKIP() << "no trash can be made on this file system";
    }
    EXPECT_FALSE(QFile::exists(song));
    EXPECT_EQ(entries(), pauses({1}));
    EXPECT_EQ(doc->history().Current()->commandId, cmd::kRemove);
    EXPECT_FALSE(editor().DeleteFile()) << "a pause is no file: the list stays";
    EXPECT_EQ(entries(), pauses({1}));
}

TEST_F(Editor, AddsFromOutsideReachTheViewsTogether) {
    QSignalSpy inserted(&model(), &QAbstractItemModel::rowsInserted);
    for (int i = 0; i < 100; ++i) {
        editor().AddPathFromOutside(QStringLiteral("/m/%1.mp3").arg(i));
    }
    EXPECT_EQ(model().count(), 100) << "a client reading the list sees every entry at once";
    EXPECT_EQ(model().current(), 0);
    EXPECT_TRUE(tavi::test::processEventsUntil([&] { return model().rowCount() == 100; }, 5000));
    EXPECT_EQ(inserted.count(), 1) << "one update of the views for the burst";
    editor().InsertEntryFromOutside(0, QStringLiteral("/m/first.mp3"));
    EXPECT_EQ(model().rowCount(), 101) << "other changes are shown at once";
    EXPECT_EQ(model().current(), 1);
}

TEST_F(Editor, AFileStoppedForDeletingStaysWhenAnotherEntryIsSelectedByThen) {
    const QString song = touch(QStringLiteral("song.mp3"));
    fill({QStringLiteral("1.pause"), song}, 1);
    std::function<void()> whenStopped;
    editor().hooks().isPlaying = [] { return true; };
    editor().hooks().playingFile = [&] { return song; };
    editor().hooks().stopPlayback = [&](std::function<void()> then) {
        whenStopped = std::move(then);
    };
    EXPECT_TRUE(editor().DeleteFile());
    model().setCurrent(0);  // during the fade
    ASSERT_TRUE(whenStopped);
    whenStopped();
    EXPECT_TRUE(QFile::exists(song));
    EXPECT_EQ(entries(), (QStringList{QStringLiteral("1.pause"), song}));
}
