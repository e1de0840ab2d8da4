// Start-up as a user meets it: what the command line opens or plays, the recent playlist,
// quiet ends and reported errors, and the folder remembered between runs.
#include "app/CTaviApp.h"
#include "app/settings/AppKey.h"
#include "app/settings/PlayerSettings.h"
#include "app/settings/SettingsKeys.h"
#include "app/settings/ViewSettings.h"
#include "playlist/CTaviDoc.h"
#include "platform/mci/MciExtensions.h"
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

TEST_F(StartUp, MediaFileOnTheCommandLinePlaysWithoutBeingAdded) {
    ASSERT_TRUE(start({QStringLiteral("7.pause")}));
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
    EXPECT_EQ(RecordingView::errors.size(), 1);
    EXPECT_NE(app->MainWindow(), nullptr);
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
