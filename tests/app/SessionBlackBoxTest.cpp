// The real player as a user meets it: started with files, queried while it starts, fed
// plain MP3s over the bus, and ended by signals. Each test has its own home and state folder
// on the private session bus the test runs in.
#include "automation/dbus/AutomationBus.h"
#include "automation/tavictl/BusClient.h"
#include "support/PlayerOnBus.h"
#include "support/QtApp.h"
#include "support/TestMedia.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDeadlineTimer>
#include <QElapsedTimer>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>

#include <csignal>
#include <memory>

using tavi::automation::AutomationBus;
using tavi::automation::BusClient;

namespace {

class Session : public testing::Test {
protected:
    void SetUp() override {
        tavi::test::coreApplication();
        ASSERT_TRUE(QDBusConnection::sessionBus().isConnected()) << "run under dbus-run-session";
        ASSERT_FALSE(tavi::test::playerOnBus()) << "an earlier test left its player running";
    }
    void TearDown() override {
        if (m_tavi && m_tavi->state() != QProcess::NotRunning) {
            m_tavi->kill();
            m_tavi->waitForFinished(5000);
        }
        QDeadlineTimer gone(5000);
        while (tavi::test::playerOnBus() && !gone.hasExpired()) {
            QThread::msleep(20);
        }
    }

    QString Media(const char* name) const { return m_home.filePath(QString::fromLatin1(name)); }
    QString RecoveryFile() const {
        return m_home.filePath(QStringLiteral("state/Kestrova/Tavi/recovery.alb"));
    }

    void Start(const QStringList& arguments) {
        m_tavi = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("TAVI_AUDIO_OUTPUT"), QStringLiteral("null"));
        env.insert(QStringLiteral("HOME"), m_home.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_home.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("XDG_STATE_HOME"), m_home.filePath(QStringLiteral("state")));
        m_tavi->setProcessEnvironment(env);
        m_tavi->setWorkingDirectory(m_home.path());
        m_tavi->start(QStringLiteral(TAVI_BINARY), arguments);
        ASSERT_TRUE(m_tavi->waitForStarted(10000));
    }
    // Waits until the player answers on the bus.
    bool WaitForBus(int timeoutMs = 30000) {
        QDeadlineTimer deadline(timeoutMs);
        while (!deadline.hasExpired()) {
            if (tavi::test::playerOnBus() &&
                RootCall(QStringLiteral("ObjectCount")).type() == QDBusMessage::ReplyMessage) {
                return true;
            }
            QThread::msleep(20);
        }
        return false;
    }
    static QDBusMessage RootCall(const QString& member, int timeoutMs = 20000) {
        const QDBusMessage call = QDBusMessage::createMethodCall(
            AutomationBus::kService, AutomationBus::kRoot, AutomationBus::kRootInterface, member);
        return QDBusConnection::sessionBus().call(call, QDBus::Block, timeoutMs);
    }
    // SIGTERM, then the seconds until the process was gone (-1: it stayed).
    double Terminate() {
        QElapsedTimer clock;
        clock.start();
        ::kill(pid_t(m_tavi->processId()), SIGTERM);
        if (!m_tavi->waitForFinished(10000)) {
            return -1;
        }
        return double(clock.elapsed()) / 1000.0;
    }
    QString StandardError() { return QString::fromLocal8Bit(m_tavi->readAllStandardError()); }

    QTemporaryDir m_home;
    std::unique_ptr<QProcess> m_tavi;
};

}  // namespace

// Queries from the first moment on (as a panel or a script polling the player would) wait
// for start-up instead of finding an empty player or starting a second one.
TEST_F(Session, QueriesDuringStartUpStillHearTheFileOfTheCommandLine) {
    ASSERT_TRUE(tavi::test::MakeWav(Media("long.wav"), 30.0));
    Start({Media("long.wav")});
    QString fileName;
    QDeadlineTimer deadline(30000);
    while (!deadline.hasExpired()) {
        const QDBusMessage count = RootCall(QStringLiteral("ObjectCount"), 500);
        if (count.type() == QDBusMessage::ReplyMessage) {
            BusClient client(QDBusConnection::sessionBus());
            fileName =
                client.Call(client.Object(QStringLiteral("Player")), QStringLiteral("FileName"))
                    .toString();
            break;
        }
        QThread::msleep(10);
    }
    EXPECT_EQ(fileName, Media("long.wav"));
    EXPECT_EQ(
        QDBusConnection::sessionBus().interface()->servicePid(AutomationBus::kService).value(),
        uint(m_tavi->processId()))
        << "the player that was started is the one on the bus";
    EXPECT_GT(Terminate(), 0);
}

// A plain constant-bitrate MP3 has no length header: it plays to the end with a length, and
// its length is on the bus and in MPRIS, through Play and Next.
TEST_F(Session, PlainMp3sPlayToTheirEndWithTheirLengthKnown) {
    ASSERT_TRUE(tavi::test::MakePlainMp3(Media("one.mp3"), 1.5));
    ASSERT_TRUE(tavi::test::MakePlainMp3(Media("two.mp3"), 1.5));
    Start({});
    ASSERT_TRUE(WaitForBus());
    auto client_ = std::make_unique<BusClient>(QDBusConnection::sessionBus());
    BusClient& client = *client_;
    const QString playlist = client.Object(QStringLiteral("Playlist"));
    const QString player = client.Object(QStringLiteral("Player"));
    client.Call(playlist, QStringLiteral("Add"), {Media("one.mp3")});
    client.Call(playlist, QStringLiteral("Add"), {Media("two.mp3")});
    client.Call(player, QStringLiteral("Play"));
    QDeadlineTimer playing(10000);
    while (client.Call(player, QStringLiteral("Status")).toString() != QLatin1String("PLAY") &&
           !playing.hasExpired()) {
        QThread::msleep(20);
    }
    EXPECT_NEAR(client.Call(player, QStringLiteral("Duration")).toDouble(), 1.5, 0.15);
    const QDBusMessage metadata = QDBusConnection::sessionBus().call(
        QDBusMessage::createMethodCall(QStringLiteral("org.mpris.MediaPlayer2.tavi"),
                                       QStringLiteral("/org/mpris/MediaPlayer2"),
                                       QStringLiteral("org.freedesktop.DBus.Properties"),
                                       QStringLiteral("Get"))
        << QStringLiteral("org.mpris.MediaPlayer2.Player") << QStringLiteral("Metadata"));
    ASSERT_EQ(metadata.type(), QDBusMessage::ReplyMessage) << metadata.errorMessage().toStdString();
    client.Call(player, QStringLiteral("Next"));
    QDeadlineTimer ended(20000);
    while (client.Call(player, QStringLiteral("Status")).toString() != QLatin1String("STOP") &&
           !ended.hasExpired()) {
        QThread::msleep(50);
    }
    EXPECT_EQ(client.Call(player, QStringLiteral("Status")).toString(), QStringLiteral("STOP"));
    EXPECT_EQ(m_tavi->state(), QProcess::Running) << StandardError().toStdString();
    client_.reset();  // its release after the quit would start a player by bus activation
    EXPECT_GT(Terminate(), 0);
    EXPECT_FALSE(StandardError().contains(QLatin1String("terminate called")));
}

// A logout or kill ends a player with unsaved changes at once, without a question; the
// entries wait in the recovery copy, which the next start offers.
TEST_F(Session, SigtermWithAChangedListQuitsAtOnceAndTheNextStartOffersTheCopy) {
    Start({});
    ASSERT_TRUE(WaitForBus());
    {
        BusClient client(QDBusConnection::sessionBus());
        const QString playlist = client.Object(QStringLiteral("Playlist"));
        client.Call(playlist, QStringLiteral("Add"), {QStringLiteral("/music/a.mp3")});
        client.Call(playlist, QStringLiteral("Add"), {QStringLiteral("/music/b.mp3")});
    }
    const double seconds = Terminate();
    EXPECT_GT(seconds, 0) << "still running 10 s after SIGTERM";
    std::printf("ended %.2f s after SIGTERM\n", seconds);  // the watchdog's bound is 1.8 s
    EXPECT_EQ(m_tavi->exitStatus(), QProcess::NormalExit);
    QFile copy(RecoveryFile());
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly)) << StandardError().toStdString();
    const QByteArray entries = copy.readAll();
    EXPECT_TRUE(entries.contains("/music/a.mp3\r\n/music/b.mp3") ||
                entries.contains("/music/a.mp3\n/music/b.mp3"))
        << entries.constData();

    Start({});
    ASSERT_TRUE(WaitForBus());
    QDeadlineTimer offered(10000);
    QString err;
    while (!err.contains(RecoveryFile()) && !offered.hasExpired()) {
        m_tavi->waitForReadyRead(100);
        err += StandardError();
    }
    EXPECT_TRUE(err.contains(RecoveryFile())) << err.toStdString();
    // A second signal during the quit ends the process at once; the copy stays for later.
    ::kill(pid_t(m_tavi->processId()), SIGTERM);
    ::kill(pid_t(m_tavi->processId()), SIGTERM);
    ASSERT_TRUE(m_tavi->waitForFinished(5000));
    EXPECT_TRUE(QFile::exists(RecoveryFile())) << "unanswered, the copy is kept";
}
