// taviext against the real player on this test's private session bus, which starts the
// player by bus activation; the player is checked only through the bus (tavictl).
#include "automation/tavictl/BusClient.h"
#include "support/QtApp.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QVariantMap>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>

namespace {

const QString kService = QStringLiteral("org.kestrova.Tavi");

struct Outcome {
    int exitCode = -1;
    QString out;
    QString err;
};

Outcome Start(const QString& program, const QStringList& arguments,
              const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// Outside a desktop session, whatever the machine running the tests has.
QProcessEnvironment WithoutSession() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.remove(QStringLiteral("LANGUAGE"));
    environment.remove(QStringLiteral("LC_ALL"));
    environment.remove(QStringLiteral("LC_MESSAGES"));
    environment.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
    return environment;
}

Outcome Taviext(const QStringList& arguments) {
    return Start(QStringLiteral(TAVIEXT_BINARY), arguments, WithoutSession());
}

QString Tavictl(const QStringList& arguments) {
    return Start(QStringLiteral(TAVICTL_BINARY), arguments).out.trimmed();
}

QStringList PlaylistEntries() {
    const QString list = Tavictl({QStringLiteral("list")});
    return list.isEmpty() ? QStringList() : list.split(QLatin1Char('\n'));
}

bool Eventually(const std::function<bool()>& done) {
    return tavi::test::processEventsUntil(done, 10000);
}

// Records the Player object's event signals.
class EventRecorder : public QObject {
    Q_OBJECT
public:
    QStringList names;
public Q_SLOTS:
    void Received(const QDBusMessage& message) { names.append(message.member()); }
};

class ShellBlackBox : public testing::Test {
protected:
    static void SetUpTestSuite() {
        // No playlist of an earlier run to offer back.
        QDir(qEnvironmentVariable("XDG_STATE_HOME")).removeRecursively();
        ASSERT_TRUE(QDBusConnection::sessionBus().isConnected()) << "run under dbus-run-session";
        ASSERT_FALSE(QDBusConnection::sessionBus().interface()->isServiceRegistered(kService))
            << "the player must not run before the first hand-off";
    }
    static void TearDownTestSuite() {
        const uint pid = QDBusConnection::sessionBus().interface()->servicePid(kService);
        if (pid > 0) {
            ::kill(pid_t(pid), SIGTERM);
            QDeadlineTimer deadline(10000);
            while (::kill(pid_t(pid), 0) == 0 && !deadline.hasExpired()) {
                QThread::msleep(50);
            }
            ::kill(pid_t(pid), SIGKILL);
        }
    }
    // A stopped player with a new, empty playlist (marked saved first, so nothing asks).
    static void Reset() {
        Tavictl({QStringLiteral("stop")});
        MarkSaved();
        tavi::automation::BusClient client(QDBusConnection::sessionBus());
        client.Call(client.Object(QStringLiteral("Documents")), QStringLiteral("Close"));
        Eventually([] { return Tavictl({QStringLiteral("status")}) == QLatin1String("STOP"); });
    }
    // A playlist changed since it was saved would be offered for saving by the next new one.
    static void MarkSaved() {
        tavi::automation::BusClient client(QDBusConnection::sessionBus());
        client.Put(client.Object(QStringLiteral("ActiveDocument")), QStringLiteral("Saved"), true);
    }
};

// Pause entries play without any media file; their names say how long.
const QStringList kFivePauses = {
    QStringLiteral("/music/one/31.pause"), QStringLiteral("/music/two/32.pause"),
    QStringLiteral("/music/three/33.pause"), QStringLiteral("/music/four/34.pause"),
    QStringLiteral("/music/five/35.pause")};

// First in the suite: nothing runs yet, so the bus has to start the player.
TEST_F(ShellBlackBox, APlayerThatDoesNotRunIsStartedAndPlaysFiveFilesInOrder) {
    const Outcome run = Taviext(QStringList{QStringLiteral("--play")} + kFivePauses);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(QDBusConnection::sessionBus().interface()->isServiceRegistered(kService));
    EXPECT_EQ(PlaylistEntries(), kFivePauses);
    EXPECT_TRUE(
        Eventually([] { return Tavictl({QStringLiteral("status")}) == QLatin1String("PLAY"); }));
    EXPECT_EQ(
        Tavictl({QStringLiteral("call"), QStringLiteral("Player"), QStringLiteral("FileName")}),
        kFivePauses.front());
}

TEST_F(ShellBlackBox, PlayReplacesThePlaylistAndRestartsFromTheFirstFile) {
    Reset();
    Tavictl({QStringLiteral("add"), QStringLiteral("/music/old/40.pause")});
    Tavictl({QStringLiteral("play")});
    ASSERT_TRUE(
        Eventually([] { return Tavictl({QStringLiteral("status")}) == QLatin1String("PLAY"); }));
    MarkSaved();
    const Outcome run = Taviext({QStringLiteral("--play"), kFivePauses[3], kFivePauses[4]});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(PlaylistEntries(), (QStringList{kFivePauses[3], kFivePauses[4]}));
    EXPECT_TRUE(Eventually([] {
        return Tavictl({QStringLiteral("call"), QStringLiteral("Player"),
                        QStringLiteral("FileName")}) == QLatin1String("/music/four/34.pause");
    }));
    EXPECT_EQ(Tavictl({QStringLiteral("status")}), QStringLiteral("PLAY"));
}

TEST_F(ShellBlackBox, AddAppendsWithoutReplacingOrStartingPlayback) {
    Reset();
    Tavictl({QStringLiteral("add"), kFivePauses[0], kFivePauses[1]});
    const Outcome run = Taviext({QStringLiteral("--add"), kFivePauses[2], kFivePauses[3]});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(PlaylistEntries(), kFivePauses.mid(0, 4));
    QThread::msleep(300);  // a Play posted by mistake would have started by now
    EXPECT_EQ(Tavictl({QStringLiteral("status")}), QStringLiteral("STOP"));
}

TEST_F(ShellBlackBox, FilesThePlayerRefusesAllNeitherStopNorStartPlayback) {
    Reset();
    Tavictl({QStringLiteral("add"), QStringLiteral("/music/old/40.pause")});
    Tavictl({QStringLiteral("play")});
    ASSERT_TRUE(
        Eventually([] { return Tavictl({QStringLiteral("status")}) == QLatin1String("PLAY"); }));
    MarkSaved();
    tavi::automation::BusClient client(QDBusConnection::sessionBus());
    EventRecorder recorder;
    ASSERT_TRUE(
        QDBusConnection::sessionBus().connect(kService, client.Object(QStringLiteral("Player")),
                                              QStringLiteral("org.kestrova.Tavi.Events"), QString(),
                                              &recorder, SLOT(Received(QDBusMessage))));
    // Playlists that cannot be read and an empty folder add nothing.
    QTemporaryDir empty;
    const Outcome run = Taviext({QStringLiteral("--play"), QStringLiteral("/nowhere/a.alb"),
                                 QStringLiteral("/nowhere/b.m3u"), empty.path()});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(Tavictl({QStringLiteral("count")}), QStringLiteral("0"));
    QThread::msleep(300);
    QCoreApplication::processEvents();
    // The track that played before goes on: neither Stop nor Play was sent.
    EXPECT_FALSE(recorder.names.contains(QStringLiteral("Start")));
    EXPECT_FALSE(recorder.names.contains(QStringLiteral("Stop")));
    EXPECT_EQ(Tavictl({QStringLiteral("status")}), QStringLiteral("PLAY"));
    EXPECT_EQ(
        Tavictl({QStringLiteral("call"), QStringLiteral("Player"), QStringLiteral("FileName")}),
        QStringLiteral("/music/old/40.pause"));
}

TEST_F(ShellBlackBox, SpacesNonAsciiAndPercentSignsArriveIntact) {
    Reset();
    const QString spaced = QStringLiteral("/music/with space/a b.pause");
    const QString german = QStringLiteral("/music/Grüße/Straße 5.pause");
    const QString percent = QStringLiteral("/music/100%/50%25.pause");
    // As paths, and as the file:// URIs other file managers hand over.
    const Outcome paths = Taviext({QStringLiteral("--add"), spaced, german, percent});
    ASSERT_EQ(paths.exitCode, 0) << paths.err.toStdString();
    const Outcome uris =
        Taviext({QStringLiteral("--add"), QStringLiteral("file:///music/with%20space/a%20b.pause"),
                 QStringLiteral("file:///music/Gr%C3%BC%C3%9Fe/Stra%C3%9Fe%205.pause"),
                 QStringLiteral("file://localhost/music/100%25/50%2525.pause")});
    ASSERT_EQ(uris.exitCode, 0) << uris.err.toStdString();
    EXPECT_EQ(PlaylistEntries(), (QStringList{spaced, german, percent, spaced, german, percent}));
}

// A bus of its own without the player's service file: nothing can start the player.
Outcome OnABusWithoutThePlayer(const QProcessEnvironment& environment,
                               const QStringList& arguments) {
    QProcessEnvironment without = environment;
    without.insert(QStringLiteral("XDG_DATA_DIRS"), QStringLiteral("/nonexistent"));
    return Start(QStringLiteral(DBUS_RUN_SESSION),
                 QStringList{QStringLiteral("--"), QStringLiteral(TAVIEXT_BINARY)} + arguments,
                 without);
}

TEST_F(ShellBlackBox, APlayerThatIsNotRegisteredIsReportedWithTheExactText) {
    const Outcome english = OnABusWithoutThePlayer(
        WithoutSession(), {QStringLiteral("--play"), QStringLiteral("/music/a.pause")});
    EXPECT_EQ(english.exitCode, 1);
    // The bus daemon may have its own say first.
    EXPECT_TRUE(
        english.err.endsWith(QStringLiteral("\nFailed to launch Tavi\r\nThe name org.kestrova.Tavi "
                                            "was not provided by any .service files\n")) ||
        english.err == QStringLiteral("Failed to launch Tavi\r\nThe name org.kestrova.Tavi "
                                      "was not provided by any .service files\n"))
        << english.err.toStdString();
    QProcessEnvironment german = WithoutSession();
    german.insert(QStringLiteral("LANG"), QStringLiteral("de_DE.UTF-8"));
    const Outcome deutsch =
        OnABusWithoutThePlayer(german, {QStringLiteral("--add"), QStringLiteral("/music/a.pause")});
    EXPECT_EQ(deutsch.exitCode, 1);
    EXPECT_TRUE(deutsch.err.contains(QStringLiteral("Tavi konnte nicht gestartet werden\r\n")))
        << deutsch.err.toStdString();
}

TEST_F(ShellBlackBox, InsideADesktopSessionAFailureIsAlsoANotification) {
    QTemporaryDir dir;
    const QString received = dir.filePath(QStringLiteral("notification"));
    QProcessEnvironment session = WithoutSession();
    session.insert(QStringLiteral("DISPLAY"), QStringLiteral(":99"));
    session.insert(QStringLiteral("XDG_DATA_DIRS"), QStringLiteral("/nonexistent"));
    // This program again, as the notification server of that bus, running taviext.
    const Outcome run =
        Start(QStringLiteral(DBUS_RUN_SESSION),
              {QStringLiteral("--"), QCoreApplication::applicationFilePath(),
               QStringLiteral("--notification-server"), received, QStringLiteral(TAVIEXT_BINARY),
               QStringLiteral("--play"), QStringLiteral("/music/a.pause")},
              session);
    EXPECT_EQ(run.exitCode, 1) << run.err.toStdString();
    QFile file(received);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()),
              QStringLiteral("TaviExt|TaviExt|Failed to launch Tavi\nThe name org.kestrova.Tavi "
                             "was not provided by any .service files"));
}

// --notification-server FILE PROGRAM ARGS...: serves org.freedesktop.Notifications, runs the
// program and writes "app|summary|body" of the first notification to FILE; exits with the
// program's status.
class NotificationServer : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    QString first;
public Q_SLOTS:
    Q_SCRIPTABLE uint Notify(const QString& app, uint, const QString&, const QString& summary,
                             const QString& body, const QStringList&, const QVariantMap&, int) {
        if (first.isEmpty()) {
            first = app + QLatin1Char('|') + summary + QLatin1Char('|') + body;
        }
        return 1;
    }
};

int ServeNotifications(QStringList arguments) {
    const QString out = arguments.takeFirst();
    const QString program = arguments.takeFirst();
    NotificationServer server;
    QDBusConnection bus = QDBusConnection::sessionBus();
    bus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &server,
                       QDBusConnection::ExportScriptableSlots);
    bus.registerService(QStringLiteral("org.freedesktop.Notifications"));
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    QObject::connect(&child, &QProcess::finished, qApp, [] { QCoreApplication::exit(0); });
    child.start(program, arguments);
    QCoreApplication::exec();
    QFile file(out);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(server.first.toUtf8());
    }
    return child.exitCode();
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() >= 4 && arguments[1] == QLatin1String("--notification-server")) {
        return ServeNotifications(arguments.mid(2));
    }
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

#include "ShellBlackBoxTest.moc"
