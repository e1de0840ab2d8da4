// Start-up as a user meets it: what the command line opens or plays, the recent playlist,
// quiet ends and reported errors, and the folder remembered between runs.
#include "app/CTaviApp.h"
#include "app/IncomingFiles.h"
#include "app/settings/AppKey.h"
#include "app/settings/PlayerSettings.h"
#include "app/settings/SettingsKeys.h"
#include "app/settings/ViewSettings.h"
#include "platform/mci/MciExtensions.h"
#include "playlist/CTaviDoc.h"
#include "playlist/PlaylistEditor.h"
#include "playlist/PlaylistModel.h"
#include "playlist/view/CTaviView.h"
#include "support/ProcessRegistry.h"
#include "support/QtApp.h"
#include "support/QtPrinters.h"
#include "support/SettingsScope.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using tavi::app::CommandLine;
using tavi::app::CTaviApp;

namespace {

class RecordingView : public tavi::playlist::CTaviView {
public:
    using CTaviView::CTaviView;
    static inline QStringList errors;

protected:
    void ShowError(const QString& message) override { errors.append(message); }
};

CTaviApp::Frame RecordingFrame(tavi::playlist::CTaviDoc& document,
                               tavi::app::ApplicationServices&) {
    CTaviApp::Frame frame;
    frame.window = std::make_unique<QMainWindow>();
    frame.view = new RecordingView(document, frame.window.get());
    frame.window->setCentralWidget(frame.view);
    return frame;
}

class StartUp : public testing::Test {
protected:
    StartUp() {
        tavi::mci::MciExtensions::reload();
        RecordingView::errors.clear();
        m_oldDir = QDir::currentPath();
        // A list kept from a session that ended by a signal is never the user's own.
        qputenv("XDG_STATE_HOME", QFile::encodeName(m_state.path()));
    }
    ~StartUp() override {
        app.reset();
        qunsetenv("XDG_STATE_HOME");
        QDir::setCurrent(m_oldDir);
    }
    bool start(const QStringList& arguments) {
        app = std::make_unique<CTaviApp>();
        app->SetFrameFactory(RecordingFrame);
        return app->InitInstance(arguments);
    }
    QString write(const QString& name, const QByteArray& bytes) {
        const QString path = files.filePath(name);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return path;
    }
    QStringList entries() const { return app->Document()->model().paths(); }
    // Leaves the settings of a run behind as the next start finds them.
    void finishRun() {
        app->CloseMainWindow();
        app->ExitInstance();
        app.reset();
        tavi::reg::Registry::resetInstance();
    }
    // Starts with its state folder in state, opens an album, changes it from outside and
    // ends the session as a signal does. Returns the album's path.
    QString EndWithAChangedList(QTemporaryDir& state, bool saveOnExit) {
        qputenv("XDG_STATE_HOME", QFile::encodeName(state.path()));
        EXPECT_TRUE(start({}));
        tavi::settings::playerSettings().saveOnExit = saveOnExit;
        const QString album = write(QStringLiteral("mine.alb"), "/m/a.mp3\n");
        EXPECT_TRUE(app->OpenDocumentFile(album));
        app->Document()->editor().AddPathFromOutside(QStringLiteral("/m/b.mp3"));
        app->EndSession();
        return album;
    }

    tavi::test::ProcessRegistry registry;
    QTemporaryDir files;
    std::unique_ptr<CTaviApp> app;

private:
    QString m_oldDir;
    QTemporaryDir m_state;
    tavi::test::SettingsScope m_settings;
};

}  // namespace

TEST(CommandLine, SwitchesByNameAndEverythingElseIsTheFile) {
    struct Case {
        QStringList arguments;
        CommandLine::Command command;
        QString file;
        bool automation;
    };
    const Case cases[] = {
        {{}, CommandLine::Command::FileNew, {}, false},
        {{QStringLiteral("/home/a/x.alb")},
         CommandLine::Command::FileOpen,
         QStringLiteral("/home/a/x.alb"),
         false},
        {{QStringLiteral("/dde"), QStringLiteral("b.m3u")},
         CommandLine::Command::FileOpen,
         QStringLiteral("b.m3u"),
         false},
        {{QStringLiteral("-Embedding")}, CommandLine::Command::FileNew, {}, true},
        {{QStringLiteral("/automation")}, CommandLine::Command::FileNew, {}, true},
        {{QStringLiteral("/RegServer")}, CommandLine::Command::Register, {}, false},
        {{QStringLiteral("-UnregisterPerUser")}, CommandLine::Command::Unregister, {}, false},
        {{QStringLiteral("/p")}, CommandLine::Command::FileNew, {}, false},
        {{QStringLiteral("/Music")},
         CommandLine::Command::FileOpen,
         QStringLiteral("/Music"),
         false},
    };
    for (const Case& c : cases) {
        const CommandLine line = CommandLine::Parse(c.arguments);
        EXPECT_EQ(line.command, c.command) << c.arguments.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(line.file, c.file);
        EXPECT_EQ(line.automation, c.automation);
    }
}

TEST(CommandLine, EveryFileIsKeptAndTheLinuxSwitchesAreKnown) {
    const CommandLine line =
        CommandLine::Parse({QStringLiteral("a.mp3"), QStringLiteral("-dde"),
                            QStringLiteral("b.flac"), QStringLiteral("/music/c.ogg")});
    EXPECT_EQ(line.command, CommandLine::Command::FileOpen);
    EXPECT_TRUE(line.dde);
    EXPECT_EQ(line.file, QStringLiteral("a.mp3"));
    EXPECT_EQ(line.files, (QStringList{QStringLiteral("a.mp3"), QStringLiteral("b.flac"),
                                       QStringLiteral("/music/c.ogg")}));
    EXPECT_TRUE(CommandLine::Parse({QStringLiteral("--help")}).help);
    EXPECT_TRUE(CommandLine::Parse({QStringLiteral("--dde")}).dde);
    const CommandLine folder =
        CommandLine::Parse({QStringLiteral("-dde"), QStringLiteral("--play-folder")});
    EXPECT_TRUE(folder.chooseFolder);
    EXPECT_EQ(folder.command, CommandLine::Command::FileNew);
    EXPECT_TRUE(CommandLine::Parse({QStringLiteral("-Automation"), QStringLiteral("a.mp3")})
                    .files.isEmpty());
    const QString usage = CommandLine::Usage();
    for (const char* shown : {"-dde", "--play-folder", "-Automation", "-Register", "-Unregister",
                              "--help", "--version"}) {
        EXPECT_TRUE(usage.contains(QLatin1String(shown))) << shown;
    }
}

// One file follows the open rules; of several, a playlist first is opened and the rest
// added, a media file first is added with the rest and played from the list.
TEST(IncomingFiles, BatchesFollowTheOpenRulesForTheFirstAndAddTheRest) {
    using tavi::app::IncomingFiles;
    const auto one = IncomingFiles::PlanFor({QStringLiteral("/m/a.mp3")}, {});
    EXPECT_EQ(one.open, QStringLiteral("/m/a.mp3"));
    EXPECT_TRUE(one.add.isEmpty());
    const auto songs = IncomingFiles::PlanFor(
        {QStringLiteral("/m/a.mp3"), QStringLiteral("/m/b.flac"), QStringLiteral("/m/c.ogg")}, {});
    EXPECT_TRUE(songs.open.isEmpty());
    EXPECT_TRUE(songs.playFirstAdded);
    EXPECT_EQ(songs.add.size(), 3);
    const auto album =
        IncomingFiles::PlanFor({QStringLiteral("/m/x.alb"), QStringLiteral("/m/b.mp3")}, {});
    EXPECT_EQ(album.open, QStringLiteral("/m/x.alb"));
    EXPECT_EQ(album.add, QStringList{QStringLiteral("/m/b.mp3")});
    EXPECT_FALSE(album.playFirstAdded);
    const auto afterStart =
        IncomingFiles::PlanFor({QStringLiteral("/m/c.mp3")}, {QStringLiteral("/m/b.mp3")});
    EXPECT_TRUE(afterStart.open.isEmpty()) << "a start's own playlist is not replaced";
    EXPECT_EQ(afterStart.add,
              (QStringList{QStringLiteral("/m/b.mp3"), QStringLiteral("/m/c.mp3")}));
    EXPECT_FALSE(afterStart.playFirstAdded);

    QStringList opened;
    QList<QStringList> added;
    int raised = 0;
    IncomingFiles incoming({[&](const QString& path) { opened.append(path); },
                            [&](const QStringList& paths) { added.append(paths); },
                            [&](const QStringList& paths) { added.append(paths); },
                            [&] { ++raised; }});
    incoming.HandIn({QStringLiteral("/m/a.mp3")}, true);
    incoming.HandIn({}, true);
    incoming.HandIn({QStringLiteral("/m/b.mp3")}, true);
    tavi::test::processEventsFor(IncomingFiles::kQuietMs * 2);
    EXPECT_TRUE(opened.isEmpty() && added.isEmpty()) << "nothing before start-up is over";
    incoming.SetReady();
    EXPECT_TRUE(tavi::test::processEventsUntil([&] { return !added.isEmpty(); }, 5000));
    EXPECT_EQ(added.value(0), (QStringList{QStringLiteral("/m/a.mp3"), QStringLiteral("/m/b.mp3")}))
        << "arrivals close together are one batch";
    EXPECT_EQ(raised, 1);
    EXPECT_FALSE(incoming.HasPending());

    // One start a file, in whatever order the processes came: listed by name. One start
    // with several files keeps the order it gave.
    added.clear();
    for (const char* name : {"/m/10 j.mp3", "/m/2 b.mp3", "/m/1 a.mp3"}) {
        incoming.HandIn({QString::fromLatin1(name)}, true);
    }
    incoming.HandIn({QStringLiteral("/m/9 z.mp3"), QStringLiteral("/m/3 c.mp3")}, true);
    EXPECT_TRUE(tavi::test::processEventsUntil([&] { return !added.isEmpty(); }, 5000));
    EXPECT_EQ(added.value(0),
              (QStringList{QStringLiteral("/m/10 j.mp3"), QStringLiteral("/m/2 b.mp3"),
                           QStringLiteral("/m/1 a.mp3"), QStringLiteral("/m/9 z.mp3"),
                           QStringLiteral("/m/3 c.mp3")}))
        << "a start with several files among them: the order of arrival";
    added.clear();
    for (const char* name : {"/m/10 j.mp3", "/m/2 b.mp3", "/m/1 a.mp3"}) {
        incoming.HandIn({QString::fromLatin1(name)}, true);
    }
    EXPECT_TRUE(tavi::test::processEventsUntil([&] { return !added.isEmpty(); }, 5000));
    EXPECT_EQ(added.value(0),
              (QStringList{QStringLiteral("/m/1 a.mp3"), QStringLiteral("/m/2 b.mp3"),
                           QStringLiteral("/m/10 j.mp3")}));
    // A start that came up late is still part of the burst: added, not played on its own.
    added.clear();
    incoming.HandIn({QStringLiteral("/m/11 k.mp3")}, true);
    EXPECT_TRUE(tavi::test::processEventsUntil([&] { return !added.isEmpty(); }, 5000));
    EXPECT_EQ(added.value(0), QStringList{QStringLiteral("/m/11 k.mp3")});
    EXPECT_TRUE(opened.isEmpty());
}

// The player's own start came up first and played its file alone; the other starts of the
// burst came later: the first file is listed with them.
TEST(IncomingFiles, AFileThatPlayedAloneJoinsTheListWhenTheRestOfItsBurstArrives) {
    using tavi::app::IncomingFiles;
    QStringList opened;
    QStringList added;
    IncomingFiles incoming({[&](const QString& path) { opened.append(path); },
                            [&](const QStringList& paths) { added += paths; },
                            [&](const QStringList& paths) { added += paths; },
                            {}});
    incoming.SetReady();
    incoming.HandIn({QStringLiteral("/m/2 b.mp3")}, false);
    EXPECT_TRUE(tavi::test::processEventsUntil([&] { return !opened.isEmpty(); }, 5000));
    EXPECT_EQ(opened, QStringList{QStringLiteral("/m/2 b.mp3")});
    incoming.HandIn({QStringLiteral("/m/10 c.mp3")}, true);
    incoming.HandIn({QStringLiteral("/m/1 a.mp3")}, true);
    EXPECT_TRUE(tavi::test::processEventsUntil([&] { return !added.isEmpty(); }, 5000));
    EXPECT_EQ(added, (QStringList{QStringLiteral("/m/1 a.mp3"), QStringLiteral("/m/2 b.mp3"),
                                  QStringLiteral("/m/10 c.mp3")}));
    EXPECT_EQ(opened.size(), 1) << "the one playing is not started again";
}

TEST_F(StartUp, MediaFileOnTheCommandLinePlaysWithoutBeingAdded) {
    ASSERT_TRUE(start({QStringLiteral("7.pause")}));
    EXPECT_TRUE(
        tavi::test::processEventsUntil([&] { return app->Document()->HasCurrentTrack(); }, 5000))
        << "played once the window is up";
    ASSERT_NE(app->Document()->GetCurrentTrack(), nullptr);
    EXPECT_TRUE(
        app->Document()->GetCurrentTrack()->GetFileName().endsWith(QLatin1String("/7.pause")));
    EXPECT_TRUE(entries().isEmpty());
}

TEST_F(StartUp, PlaylistAndFolderOpenAsTheDocument) {
    const QString album = write(QStringLiteral("mix.alb"), "\xef\xbb\xbf/m/a.mp3\r\n3.pause\r\n");
    ASSERT_TRUE(start({album}));
    EXPECT_EQ(entries(), (QStringList{QStringLiteral("/m/a.mp3"), QStringLiteral("3.pause")}));
    EXPECT_EQ(app->RecentFiles().entries().value(0), album);
    app.reset();
    write(QStringLiteral("folder/deep/b.mp3"), "x");
    write(QStringLiteral("folder/a.mp3"), "x");
    ASSERT_TRUE(start({files.filePath(QStringLiteral("folder"))}));
    EXPECT_TRUE(
        tavi::test::processEventsUntil([&] { return !app->Document()->editor().IsBusy(); }, 20000));
    EXPECT_EQ(entries().size(), 2) << "the folder's files, recursively";
}

TEST_F(StartUp, MissingPlaylistEndsQuietlyAndMissingMediaFileReportsThePlaybackError) {
    EXPECT_FALSE(start({files.filePath(QStringLiteral("gone.alb"))}));
    EXPECT_TRUE(RecordingView::errors.isEmpty());
    EXPECT_TRUE(start({files.filePath(QStringLiteral("gone.ogg"))}));
    EXPECT_TRUE(RecordingView::errors.isEmpty()) << "not before the window is up";
    EXPECT_TRUE(
        tavi::test::processEventsUntil([] { return !RecordingView::errors.isEmpty(); }, 5000));
    EXPECT_EQ(RecordingView::errors.size(), 1);
    EXPECT_TRUE(RecordingView::errors.value(0).contains(files.filePath(QStringLiteral("gone.ogg"))))
        << "the message names the file: " << RecordingView::errors.value(0).toStdString();
    EXPECT_NE(app->MainWindow(), nullptr);
}

TEST_F(StartUp, SeveralFilesOnTheCommandLineAreAllListedAndTheFirstPlays) {
    // As a file manager hands them in: files that exist (a name that does not is reported).
    const QStringList pauses{write(QStringLiteral("7.pause"), "x"),
                             write(QStringLiteral("8.pause"), "x"),
                             write(QStringLiteral("9.pause"), "x")};
    ASSERT_TRUE(start(pauses));
    ASSERT_TRUE(
        tavi::test::processEventsUntil([&] { return app->Document()->HasCurrentTrack(); }, 5000));
    EXPECT_EQ(entries().size(), 3);
    EXPECT_TRUE(entries().value(0).endsWith(QLatin1String("/7.pause")));
    EXPECT_TRUE(entries().value(2).endsWith(QLatin1String("/9.pause")));
    EXPECT_TRUE(
        app->Document()->GetCurrentTrack()->GetFileName().endsWith(QLatin1String("/7.pause")));
    EXPECT_EQ(app->Document()->model().current(), 0) << "it plays from its entry";
    app.reset();

    const QString album = write(QStringLiteral("mix.alb"), "/m/a.mp3\n");
    ASSERT_TRUE(start({album, write(QStringLiteral("5.pause"), "x")}));
    EXPECT_TRUE(tavi::test::processEventsUntil([&] { return entries().size() == 2; }, 5000));
    EXPECT_EQ(entries().value(0), QStringLiteral("/m/a.mp3")) << "the playlist was opened";
    EXPECT_TRUE(entries().value(1).endsWith(QLatin1String("/5.pause"))) << "the rest added";
    EXPECT_EQ(app->Document()->GetPathName(), album);
}

// A picture or text beside the songs (the explorer's click, a file manager's open) changes
// nothing: the list, its undo history and its file name stay, and the user is told.
TEST_F(StartUp, AFileThatIsNeitherMediaNorPlaylistLeavesTheDocumentAsItWas) {
    ASSERT_TRUE(start({}));
    const QString album = write(QStringLiteral("mine.alb"), "/m/a.mp3\n");
    ASSERT_TRUE(app->OpenDocumentFile(album));
    app->Document()->editor().AddPathFromOutside(QStringLiteral("/m/b.mp3"));
    ASSERT_TRUE(tavi::test::processEventsUntil([&] { return entries().size() == 2; }, 5000));
    ASSERT_TRUE(app->Document()->CanUndo());
    const QStringList before = entries();
    for (const char* name : {"cover.png", "notes.txt"}) {
        RecordingView::errors.clear();
        const QString other = write(QString::fromLatin1(name), "\x89PNG\r\n");
        EXPECT_FALSE(app->OpenDocumentFile(other)) << name;
        EXPECT_EQ(entries(), before) << name;
        EXPECT_EQ(app->Document()->GetPathName(), album) << name;
        EXPECT_TRUE(app->Document()->IsModified()) << name;
        EXPECT_TRUE(app->Document()->CanUndo()) << name;
        ASSERT_EQ(RecordingView::errors.size(), 1) << name;
        EXPECT_TRUE(RecordingView::errors.first().contains(other));
    }
    EXPECT_NE(app->RecentFiles().entries().value(0), write(QStringLiteral("cover.png"), "x"));
    app->Document()->SetModifiedFlag(false);
}

// A stream given on the command line is played as the URL it is, not as a file of the
// current folder; one that cannot be reached reports the playback error.
TEST_F(StartUp, AStreamUrlOnTheCommandLineIsPlayedAsItStands) {
    const QString url = QStringLiteral("http://127.0.0.1:1/live");
    EXPECT_TRUE(start({url}));
    ASSERT_TRUE(tavi::test::processEventsUntil([] { return !RecordingView::errors.isEmpty(); },
                                               20000));
    // GStreamer's text about the stream; a local file of that name would be "not found".
    EXPECT_FALSE(RecordingView::errors.front().isEmpty());
    EXPECT_FALSE(RecordingView::errors.front().contains(QLatin1String("not found"), Qt::CaseInsensitive))
        << RecordingView::errors.front().toStdString();
}

TEST_F(StartUp, NoArgumentsReopenTheRecentPlaylistWithItsSelection) {
    ASSERT_TRUE(start({}));
    EXPECT_TRUE(entries().isEmpty()) << "an empty recent list: an empty playlist";
    const QString album = write(QStringLiteral("recent.alb"),
                                "\xef\xbb\xbf"
                                "1.pause\r\n2.pause\r\n3.pause\r\n");
    ASSERT_TRUE(app->OpenDocumentFile(album));
    app->Document()->model().setCurrent(2);
    finishRun();

    for (const QStringList& arguments :
         {QStringList{}, QStringList{QStringLiteral("/Automation")}}) {
        ASSERT_TRUE(start(arguments));
        EXPECT_EQ(entries().size(), 3);
        EXPECT_EQ(app->Document()->model().current(), 2);
        EXPECT_FALSE(app->Document()->HasCurrentTrack())
            << "a recent playlist is opened, not played";
        finishRun();
    }
    QFile::remove(album);
    ASSERT_TRUE(start({}));
    EXPECT_TRUE(entries().isEmpty()) << "a recent playlist that is gone gives an empty one";
    EXPECT_TRUE(RecordingView::errors.isEmpty());
}

TEST_F(StartUp, TheCurrentFolderIsRememberedBetweenRuns) {
    const QString folder = QDir(files.path()).canonicalPath();
    ASSERT_TRUE(start({}));
    QDir::setCurrent(folder);
    finishRun();
    QDir::setCurrent(QDir::rootPath());
    ASSERT_TRUE(start({}));
    EXPECT_EQ(QDir::currentPath(), folder);
    finishRun();
    QDir().rmdir(folder + QLatin1String("/never"));
}

TEST_F(StartUp, RegistrationRunsEndWithoutAWindow) {
    EXPECT_FALSE(start({QStringLiteral("/Register")}));
    EXPECT_EQ(app->MainWindow(), nullptr);
}

// What the options sheet's OK writes is on disk at once: a crash afterwards (nothing of the
// exit runs, as with kill -9) loses none of it.
TEST_F(StartUp, SavedSettingsAreOnDiskWithoutAnExit) {
    ASSERT_TRUE(start({}));
    tavi::settings::playerSettings().introLength = 33;
    app->SaveSettings();
    const QString hive = QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME")) +
                         QStringLiteral("/Kestrova/Tavi/user.reg");
    QFile file(hive);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << hive.toStdString();
    EXPECT_TRUE(file.readAll().contains("\"IntroLength\"=dword:00000021"));
}

// A session that ended by a signal kept its unsaved list; the next start offers it, and
// the answer decides: Yes reopens it (modified, under its old name), No puts it aside.
TEST_F(StartUp, TheNextStartOffersTheListASignalKept) {
    QTemporaryDir state;
    const QString album = EndWithAChangedList(state, false);
    EXPECT_FALSE(app->Document()->IsModified()) << "nothing left to ask about";
    finishRun();

    for (const bool reopen : {true, false}) {
        QStringList questions;
        app = std::make_unique<CTaviApp>();
        app->SetFrameFactory(RecordingFrame);
        app->SetRecoveryQuestion([&](const QString& question) {
            questions.append(question);
            return reopen;
        });
        if (!reopen) {  // a second copy, to decline
            ASSERT_TRUE(
                QFile::copy(album, state.filePath(QStringLiteral("Kestrova/Tavi/recovery.alb"))));
        }
        ASSERT_TRUE(app->InitInstance({}));
        tavi::test::processEventsFor(50);
        ASSERT_EQ(questions.size(), 1);
        EXPECT_TRUE(questions.first().contains(QStringLiteral("recovery.alb")));
        if (reopen) {
            EXPECT_EQ(entries(),
                      (QStringList{QStringLiteral("/m/a.mp3"), QStringLiteral("/m/b.mp3")}));
            EXPECT_TRUE(app->Document()->IsModified());
            EXPECT_EQ(app->Document()->GetPathName(), album);
        } else {
            EXPECT_TRUE(
                QFile::exists(state.filePath(QStringLiteral("Kestrova/Tavi/recovery.alb.old"))));
        }
        EXPECT_FALSE(QFile::exists(state.filePath(QStringLiteral("Kestrova/Tavi/recovery.alb"))));
        app->Document()->SetModifiedFlag(false);
        finishRun();
    }
    qunsetenv("XDG_STATE_HOME");
}

TEST_F(StartUp, ASignalSavesToThePlaylistsOwnFileWithSaveOnExit) {
    QTemporaryDir state;
    const QString album = EndWithAChangedList(state, true);
    QFile file(album);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("/m/b.mp3"));
    EXPECT_FALSE(QFile::exists(state.filePath(QStringLiteral("Kestrova/Tavi/recovery.alb"))));
    finishRun();
    qunsetenv("XDG_STATE_HOME");
}
