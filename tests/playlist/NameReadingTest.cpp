// Display names read off the UI thread: the paint path opens no file, names arrive as
// dataChanged for the rows that asked, and no edit, invalidation or destruction while a
// read is in flight puts a name on the wrong row or reaches a freed model.
#include "PlaylistTestSupport.h"
#include "playlist/CommandIds.h"
#include "support/QtApp.h"
#include "support/TagWriter.h"
#include "support/TestMedia.h"

#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <set>

#include <sys/stat.h>

using namespace tavi::playlist;

namespace {

constexpr int kWaitMs = 20000;

// A media-name hook that holds every read until opened, so a test can edit the list while
// a read is in flight. The name is the format followed by the path. The hook's state is
// shared with the copies the jobs hold, which may outlive this object in a failing test.
class GatedNames {
public:
    GatedNames() : m_saved(displayNameHooks()), m_state(std::make_shared<State>()) {
        displayNameHooks().mediaFileName = [state = m_state](const QString& path,
                                                             const NameOptions& options) {
            state->enter(path, options.displayNameFormat);
            return options.displayNameFormat + path;
        };
    }
    ~GatedNames() {
        open();
        displayNameHooks() = m_saved;
    }
    void open() {
        const std::lock_guard lock(m_state->lock);
        m_state->open = true;
        m_state->changed.notify_all();
    }
    // Reads with this format wait even when open, until release().
    void hold(const QString& format) {
        const std::lock_guard lock(m_state->lock);
        m_state->held = format;
    }
    void release() {
        const std::lock_guard lock(m_state->lock);
        m_state->held.clear();
        m_state->changed.notify_all();
    }
    int calls() const { return m_state->calls.load(); }
    bool calledOnUiThread() const { return m_state->onUiThread.load(); }
    bool wasRead(const QString& path) const {
        const std::lock_guard lock(m_state->lock);
        return m_state->read.count(path) > 0;
    }

private:
    struct State {
        void enter(const QString& path, const QString& format) {
            if (QThread::currentThread() == QCoreApplication::instance()->thread()) {
                onUiThread = true;
            }
            ++calls;
            std::unique_lock guard(lock);
            read.insert(path);
            changed.wait_for(guard, std::chrono::milliseconds(kWaitMs), [this, &format] {
                return open && (held.isEmpty() || format != held);
            });
        }

        std::mutex lock;  // guards open, held and read
        std::condition_variable changed;
        bool open = false;
        QString held;
        std::set<QString> read;
        std::atomic<int> calls{0};
        std::atomic<bool> onUiThread{false};
    };

    DisplayNameHooks m_saved;
    std::shared_ptr<State> m_state;
};

class NameReading : public tavi::test::PlaylistTest {
protected:
    NameReading() {
        tavi::test::coreApplication();
        tavi::settings::viewSettings().useMetaData = true;
        tavi::settings::viewSettings().displayNameFormat = QStringLiteral("$(Artist) - $(Title)");
    }
    QString shown(int row) { return model().data(model().index(row), Qt::DisplayRole).toString(); }
    // What a view does when it paints rows first..last.
    void paint(int first, int last) {
        for (int row = first; row <= last; ++row) {
            shown(row);
        }
    }
    bool known(int first, int last) {
        for (int row = first; row <= last; ++row) {
            if (!model().isNameKnown(row)) {
                return false;
            }
        }
        return true;
    }
    bool waitUntil(const std::function<bool()>& done) {
        return tavi::test::processEventsUntil(done, kWaitMs);
    }
    static QStringList numbered(const QString& folder, int count) {
        QStringList paths;
        for (int i = 0; i < count; ++i) {
            paths.append(QStringLiteral("%1/%2.mp3").arg(folder).arg(i));
        }
        return paths;
    }
};

}  // namespace

TEST_F(NameReading, NamesWithoutTagsAreComputedWhereShownAndCached) {
    tavi::settings::viewSettings().useMetaData = false;
    GatedNames names;
    fill(numbered(QStringLiteral("/m"), 1000) << QStringLiteral("20.pause"), 0);
    EXPECT_FALSE(model().isNameKnown(5));
    EXPECT_EQ(model().displayName(5), QStringLiteral("5"));
    EXPECT_TRUE(model().isNameKnown(5));
    EXPECT_FALSE(model().isNameKnown(6)) << "only the rows asked for";
    tavi::settings::viewSettings().useMetaData = true;
    EXPECT_EQ(shown(1000), QStringLiteral("20 sec.")) << "pause names never need a file";
    EXPECT_TRUE(model().isNameKnown(1000));
    EXPECT_EQ(names.calls(), 0);
}

TEST_F(NameReading, PaintingShowsTheFileTitleUntilTheNameArrivesFromAWorker) {
    GatedNames names;
    fill({QStringLiteral("/m/Song.mp3"), QStringLiteral("/m/Jingle.mp3.jingle")}, 0);
    EXPECT_EQ(shown(0), QStringLiteral("Song"));
    EXPECT_EQ(shown(1), QStringLiteral("Jingle"));
    EXPECT_EQ(model().data(model().index(0), PlaylistModel::DisplayNameRole).toString(),
              QStringLiteral("Song"));
    ASSERT_TRUE(waitUntil([&names] { return names.calls() >= 1; }));
    EXPECT_EQ(shown(0), QStringLiteral("Song")) << "still being read";
    QSignalSpy changed(&model(), &QAbstractItemModel::dataChanged);
    names.open();
    ASSERT_TRUE(waitUntil([this] { return known(0, 1); }));
    EXPECT_EQ(shown(0), QStringLiteral("$(Artist) - $(Title)/m/Song.mp3"));
    EXPECT_EQ(shown(1), QStringLiteral("$(Artist) - $(Title)/m/Jingle.mp3"));
    EXPECT_FALSE(names.calledOnUiThread());
    EXPECT_GE(changed.count(), 1);
}

// A FIFO without a writer would block any open for ever; a worker must not even try.
TEST_F(NameReading, AFifoNeitherBlocksThePaintNorTheWorker) {
    const QString fifo = files.filePath(QStringLiteral("Stream.mp3"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    fill({fifo}, 0);
    EXPECT_EQ(shown(0), QStringLiteral("Stream"));
    ASSERT_TRUE(waitUntil([this] { return known(0, 0); }));
    EXPECT_EQ(shown(0), QStringLiteral("Stream"));
}

TEST_F(NameReading, TaggedFilesArriveForTheRowsShownOneChangePerRun) {
    const QString source = files.filePath(QStringLiteral("source.mp3"));
    ASSERT_TRUE(tavi::test::MakePlainMp3(source, 0.1));
    QStringList paths;
    for (int i = 0; i < 60; ++i) {
        paths.append(files.filePath(QStringLiteral("%1.mp3").arg(i)));
        ASSERT_TRUE(QFile::copy(source, paths.last()));
        ASSERT_TRUE(tavi::test::TagMp3(paths.last(), {{"ARTIST", QStringLiteral("A%1").arg(i)},
                                                      {"TITLE", QStringLiteral("T%1").arg(i)}}));
    }
    tester.reset();  // it reads rows a view would not show
    fill(paths, 0);
    QSignalSpy changed(&model(), &QAbstractItemModel::dataChanged);
    paint(10, 19);
    paint(40, 44);
    ASSERT_TRUE(waitUntil([this] { return known(10, 19) && known(40, 44); }));
    for (int row : {10, 19, 40, 44}) {
        EXPECT_EQ(shown(row), QStringLiteral("A%1 - T%1").arg(row));
    }
    EXPECT_FALSE(model().isNameKnown(20)) << "rows not shown are not read";
    std::set<int> announced;
    for (const QList<QVariant>& signal : changed) {
        const int first = signal[0].toModelIndex().row();
        const int last = signal[1].toModelIndex().row();
        for (int row = first; row <= last; ++row) {
            EXPECT_TRUE(announced.insert(row).second) << "row " << row << " announced twice";
        }
    }
    std::set<int> asked;
    for (int row = 10; row <= 19; ++row)
        asked.insert(row);
    for (int row = 40; row <= 44; ++row)
        asked.insert(row);
    EXPECT_EQ(announced, asked);
}

// Names read in one turn of the event loop are announced as one dataChanged per run of
// adjacent rows. The newest request is read first, so the lone row asked for first comes
// last and the run before it is complete when its read begins.
TEST_F(NameReading, NamesOfOneTurnAreAnnouncedPerRunNotPerRow) {
    GatedNames names;
    const QStringList paths = numbered(QStringLiteral("/m"), 30);
    tester.reset();  // it reads rows a view would not show
    fill(paths, 0);
    paint(25, 25);
    paint(0, 9);
    QSignalSpy changed(&model(), &QAbstractItemModel::dataChanged);
    ASSERT_TRUE(waitUntil([&names] { return names.calls() >= 1; }));
    names.open();
    while (!names.wasRead(paths[25])) {
        QThread::msleep(1);  // no events: the other names pile up in the mailbox
    }
    ASSERT_TRUE(waitUntil([this] { return known(0, 9) && known(25, 25); }));
    ASSERT_GE(changed.count(), 1);
    EXPECT_EQ(changed[0][0].toModelIndex().row(), 0);
    EXPECT_EQ(changed[0][1].toModelIndex().row(), 9);
    EXPECT_LE(changed.count(), 2);
}

TEST_F(NameReading, EditsWhileReadingNeverPutANameOnAnotherRow) {
    GatedNames names;
    fill(numbered(QStringLiteral("/m"), 10), 0);
    paint(0, 9);
    ASSERT_TRUE(waitUntil([&names] { return names.calls() >= 1; }));
    editor().AddEntry(QStringLiteral("/m/added.mp3"));
    model().remove(0);                                     // /m/0.mp3 is gone
    model().insert(2, QStringLiteral("/m/inserted.mp3"));  // rows below move down
    model().move(8, 1);
    model().setPath(4, QStringLiteral("/m/renamed.mp3"));
    std::vector<int> reversed;
    for (int row = model().count() - 1; row >= 0; --row) {
        reversed.push_back(row);
    }
    model().reorder(reversed, 0);
    names.open();
    ASSERT_TRUE(waitUntil([this, &names] {
        paint(0, model().count() - 1);  // a view repaints after every edit
        return known(0, model().count() - 1);
    }));
    const QString prefix = QStringLiteral("$(Artist) - $(Title)");
    for (int row = 0; row < model().count(); ++row) {
        EXPECT_EQ(shown(row), prefix + model().path(row)) << row;
    }
}

// The old read of row 0 ends while the new one is under way: its name must not land.
TEST_F(NameReading, InvalidationDropsNamesStillBeingRead) {
    GatedNames names;
    fill(numbered(QStringLiteral("/m"), 5), 0);
    paint(0, 0);
    ASSERT_TRUE(waitUntil([&names] { return names.calls() >= 1; }));
    tavi::settings::viewSettings().displayNameFormat = QStringLiteral("new:");
    QSignalSpy changed(&model(), &QAbstractItemModel::dataChanged);
    model().invalidateDisplayNames();
    EXPECT_EQ(changed.count(), 1) << "every row repaints";
    EXPECT_FALSE(model().isNameKnown(0));
    names.hold(QStringLiteral("new:"));
    paint(0, 4);
    ASSERT_TRUE(waitUntil([&names] { return names.calls() >= 2; }));  // the new read waits
    names.open();                                                     // the old read of row 0 ends
    QTest::qWait(200);
    EXPECT_FALSE(model().isNameKnown(0)) << shown(0).toStdString();
    names.release();
    ASSERT_TRUE(waitUntil([this] { return known(0, 4); }));
    for (int row = 0; row < 5; ++row) {
        EXPECT_EQ(shown(row), QStringLiteral("new:") + model().path(row)) << row;
    }
}

TEST_F(NameReading, DestroyingTheListWhileReadingStopsTheJob) {
    GatedNames names;
    fill(numbered(QStringLiteral("/m"), 10), 0);
    paint(0, 9);
    ASSERT_TRUE(waitUntil([&names] { return names.calls() >= 1; }));
    tester.reset();
    doc.reset();
    names.open();
    QTest::qWait(200);  // the job, if it went on, would read more and post to a freed model
    EXPECT_EQ(names.calls(), 1) << "the job stops at its next file";
}

TEST_F(NameReading, SortWaitsForEveryNameAndSortsByIt) {
    GatedNames names;
    tavi::settings::viewSettings().displayNameFormat = QString();
    // Names are the paths, so the sorted order is the paths' order, not the file titles'.
    fill({QStringLiteral("/c/1.mp3"), QStringLiteral("/a/3.mp3"), QStringLiteral("/b/2.mp3"),
          QStringLiteral("5.pause")},
         0);
    editor().Sort();
    EXPECT_TRUE(editor().isSortWaiting());
    editor().Sort();  // the same sort
    EXPECT_EQ(model().path(0), QStringLiteral("/c/1.mp3")) << "nothing sorted yet";
    tester.reset();                    // it would read rows again like a view
    model().invalidateDisplayNames();  // drops what was being read; the sort still waits
    EXPECT_TRUE(editor().isSortWaiting());
    names.open();
    ASSERT_TRUE(waitUntil([this] { return !editor().isSortWaiting(); }));
    EXPECT_EQ(entries(), (QStringList{QStringLiteral("/a/3.mp3"), QStringLiteral("/b/2.mp3"),
                                      QStringLiteral("/c/1.mp3"), QStringLiteral("5.pause")}));
    EXPECT_EQ(doc->history().Current()->commandId, cmd::kSort);
}
