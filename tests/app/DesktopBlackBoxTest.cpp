// The real player as the desktop starts it: folders opened in the file manager's order,
// many files opened at once from the file manager (one process with all of them, or one
// process each), the command line's help and its report of missing names, and files that
// are not playable. Each test has its own home on the private session bus it runs in.
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
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

using tavi::automation::AutomationBus;
using tavi::automation::BusClient;

namespace {

class Desktop : public testing::Test {
protected:
    void SetUp() override {
        tavi::test::coreApplication();
        ASSERT_TRUE(QDBusConnection::sessionBus().isConnected()) << "run under dbus-run-session";
        ASSERT_FALSE(tavi::test::playerOnBus()) << "an earlier test left its player running";
        ASSERT_TRUE(QDir(m_home.path()).mkpath(QStringLiteral("Music")));
    }
    void TearDown() override {
        m_client.reset();
        for (auto& process : m_processes) {
            if (process->state() != QProcess::NotRunning) {
                process->kill();
                process->waitForFinished(5000);
            }
        }
        tavi::test::processEventsUntil([] { return !tavi::test::playerOnBus(); }, 5000);
    }

    QString Music(const QString& name) const {
        return m_home.filePath(QStringLiteral("Music/") + name);
    }
    void Touch(const QString& path) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
        file.write("x");
    }

    QProcess& Start(const QStringList& arguments) {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("TAVI_AUDIO_OUTPUT"), QStringLiteral("null"));
        env.insert(QStringLiteral("HOME"), m_home.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_home.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("XDG_STATE_HOME"), m_home.filePath(QStringLiteral("state")));
        env.insert(QStringLiteral("XDG_DATA_HOME"), m_home.filePath(QStringLiteral("data")));
        process->setProcessEnvironment(env);
        process->setWorkingDirectory(m_home.path());
        process->start(QStringLiteral(TAVI_BINARY), arguments);
        EXPECT_TRUE(process->waitForStarted(10000));
        m_processes.push_back(std::move(process));
        return *m_processes.back();
    }
    bool WaitForBus() {
        return tavi::test::processEventsUntil(
            [] {
                if (!tavi::test::playerOnBus()) {
                    return false;
                }
                const QDBusMessage call = QDBusMessage::createMethodCall(
                    AutomationBus::kService, AutomationBus::kRoot, AutomationBus::kRootInterface,
                    QStringLiteral("ObjectCount"));
                return QDBusConnection::sessionBus().call(call, QDBus::Block, 20000).type() ==
                       QDBusMessage::ReplyMessage;
            },
            30000);
    }
    BusClient& Client() {
        if (!m_client) {
            m_client = std::make_unique<BusClient>(QDBusConnection::sessionBus());
        }
        return *m_client;
    }
    int Count() {
        return Client()
            .Call(Client().Object(QStringLiteral("Playlist")), QStringLiteral("Count"))
            .toInt();
    }
    QStringList Entries() {
        QStringList entries;
        const QString playlist = Client().Object(QStringLiteral("Playlist"));
        const int count = Count();
        for (int i = 0; i < count; ++i) {
            entries.append(Client().Call(playlist, QStringLiteral("Item"), {i}).toString());
        }
        return entries;
    }
    QString PlayingFile() {
        return Client()
            .Call(Client().Object(QStringLiteral("Player")), QStringLiteral("FileName"))
            .toString();
    }
    int Running() const {
        return int(std::count_if(m_processes.begin(), m_processes.end(),
                                 [](const auto& p) { return p->state() != QProcess::NotRunning; }));
    }
    QProcess* Player() const {
        const uint pid =
            QDBusConnection::sessionBus().interface()->servicePid(AutomationBus::kService).value();
        for (const auto& process : m_processes) {
            if (uint(process->processId()) == pid) {
                return process.get();
            }
        }
        return nullptr;
    }

    QTemporaryDir m_home;
    std::vector<std::unique_ptr<QProcess>> m_processes;
    std::unique_ptr<BusClient> m_client;
};

}  // namespace

// ext4 lists a folder in hash order (04, 08, 02, 07, 01...); the list must show the file
// manager's order, with sub-folders among the files.
TEST_F(Desktop, AFolderCreatedInShuffledOrderIsListedInNaturalOrder) {
    QStringList names;
    for (int i = 1; i <= 12; ++i) {
        names.append(
            QStringLiteral("%1 %2.mp3").arg(i, 2, 10, QLatin1Char('0')).arg(QChar(u'a' + i - 1)));
    }
    QStringList created = names;
    std::shuffle(created.begin(), created.end(), *QRandomGenerator::global());
    for (const QString& name : created) {
        Touch(Music(QStringLiteral("Album/") + name));
    }
    Touch(Music(QStringLiteral("Album/04b Extras/10 x.mp3")));
    Touch(Music(QStringLiteral("Album/04b Extras/2 x.mp3")));
    Start({Music(QStringLiteral("Album"))});
    ASSERT_TRUE(WaitForBus());
    ASSERT_TRUE(tavi::test::processEventsUntil([&] { return Count() == 14; }, 20000)) << Count();
    QStringList expected;
    for (const QString& name : names.mid(0, 4)) {
        expected.append(Music(QStringLiteral("Album/") + name));
    }
    expected.append(
        Music(QStringLiteral("Album/04b Extras/2 x.mp3")));  // the folder "04b Extras" after "04 d"
    expected.append(Music(QStringLiteral("Album/04b Extras/10 x.mp3")));
    for (const QString& name : names.mid(4)) {
        expected.append(Music(QStringLiteral("Album/") + name));
    }
    EXPECT_EQ(Entries(), expected);
}

// Ten files opened at once from the file manager, as ten starts or as one: one player, ten
// entries, and every other start has ended.
TEST_F(Desktop, TenFilesOpenedAtOnceGiveOnePlayerWithTenEntries) {
    QStringList songs;
    for (int i = 1; i <= 10; ++i) {
        songs.append(Music(QStringLiteral("song %1.wav").arg(i)));
        ASSERT_TRUE(tavi::test::MakeWav(songs.back(), 3.0));
    }
    for (const QString& song : songs) {
        Start({QStringLiteral("-dde"), song});
    }
    ASSERT_TRUE(WaitForBus());
    ASSERT_TRUE(tavi::test::processEventsUntil([&] { return Running() == 1; }, 60000))
        << Running() << " players";
    ASSERT_TRUE(tavi::test::processEventsUntil([&] { return Count() == 10; }, 20000))
        << Entries().join(QLatin1Char('\n')).toStdString() << "\nplaying "
        << PlayingFile().toStdString();
    EXPECT_EQ(Entries(), songs) << "each file once, in natural order (song 2 before song 10)";
    ASSERT_NE(Player(), nullptr);
    for (const auto& process : m_processes) {
        if (process.get() != Player()) {
            EXPECT_EQ(process->exitCode(), 0);
        }
    }
    EXPECT_TRUE(tavi::test::processEventsUntil([&] { return !PlayingFile().isEmpty(); }, 10000))
        << "one of them plays";

    // The same files in one start, handed to the player that runs: they follow its list.
    Client().Call(Client().Object(QStringLiteral("Playlist")), QStringLiteral("RemoveAll"));
    QStringList arguments{QStringLiteral("-dde")};
    arguments += songs;
    QProcess& handOff = Start(arguments);
    ASSERT_TRUE(handOff.waitForFinished(30000));
    EXPECT_EQ(handOff.exitCode(), 0);
    EXPECT_EQ(Running(), 1);
    ASSERT_TRUE(tavi::test::processEventsUntil([&] { return Count() == 10; }, 20000)) << Count();
    EXPECT_EQ(Entries(), songs) << "in the order given";
    EXPECT_TRUE(
        tavi::test::processEventsUntil([&] { return PlayingFile() == songs.first(); }, 10000))
        << PlayingFile().toStdString() << " "
        << QString::fromLocal8Bit(Player()->readAllStandardError()).toStdString();
}

// --help lists the switches; several names play the first and add the rest, and a name that
// is not there is said on standard error too.
TEST_F(Desktop, HelpListsTheSwitchesAndMissingNamesAreReportedOnStandardError) {
    QProcess& help = Start({QStringLiteral("--help")});
    ASSERT_TRUE(help.waitForFinished(10000));
    EXPECT_EQ(help.exitCode(), 0);
    const QString usage = QString::fromLocal8Bit(help.readAllStandardOutput());
    EXPECT_TRUE(usage.contains(QLatin1String("-dde")) &&
                usage.contains(QLatin1String("--play-folder")))
        << usage.toStdString();

    ASSERT_TRUE(tavi::test::MakeWav(Music(QStringLiteral("a.wav")), 3.0));
    ASSERT_TRUE(tavi::test::MakeWav(Music(QStringLiteral("c.wav")), 3.0));
    QProcess& player = Start({Music(QStringLiteral("a.wav")), Music(QStringLiteral("missing.mp3")),
                              Music(QStringLiteral("c.wav"))});
    ASSERT_TRUE(WaitForBus());
    ASSERT_TRUE(tavi::test::processEventsUntil([&] { return Count() == 2; }, 20000)) << Count();
    EXPECT_EQ(Entries(),
              (QStringList{Music(QStringLiteral("a.wav")), Music(QStringLiteral("c.wav"))}));
    EXPECT_TRUE(tavi::test::processEventsUntil(
        [&] { return PlayingFile() == Music(QStringLiteral("a.wav")); }, 10000));
    player.waitForReadyRead(1000);
    const QString err = QString::fromLocal8Bit(player.readAllStandardError());
    EXPECT_TRUE(
        err.contains(Music(QStringLiteral("missing.mp3")) + QStringLiteral(": No such file")))
        << err.toStdString();
}

// A picture opened from the file manager while a changed playlist is open: the list and
// the document's name stay, the player goes on.
TEST_F(Desktop, APictureHandedInLeavesTheListAndTheDocumentAsTheyWere) {
    const QString album = Music(QStringLiteral("mine.alb"));
    {
        QFile file(album);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("/m/a.mp3\n/m/b.mp3\n");
    }
    const QString cover = Music(QStringLiteral("cover.png"));
    Touch(cover);
    Start({album});
    ASSERT_TRUE(WaitForBus());
    ASSERT_TRUE(tavi::test::processEventsUntil([&] { return Count() == 2; }, 20000));
    Client().Call(Client().Object(QStringLiteral("Playlist")), QStringLiteral("Add"),
                  {QStringLiteral("/m/c.mp3")});
    ASSERT_TRUE(tavi::test::processEventsUntil([&] { return Count() == 3; }, 5000));
    const QString document = Client().Object(QStringLiteral("ActiveDocument"));
    QProcess& handOff = Start({QStringLiteral("-dde"), cover});
    ASSERT_TRUE(handOff.waitForFinished(30000));
    EXPECT_EQ(handOff.exitCode(), 0) << "handed to the running player";
    QThread::msleep(1000);  // its quiet time, then the refusal
    EXPECT_EQ(Count(), 3);
    EXPECT_EQ(Entries().value(2), QStringLiteral("/m/c.mp3"));
    EXPECT_EQ(Client().Call(document, QStringLiteral("FullName")).toString(), album);
    EXPECT_EQ(Running(), 1);

    // The menu's start while the player runs only brings its window forward.
    QProcess& menu = Start({QStringLiteral("-dde")});
    ASSERT_TRUE(menu.waitForFinished(30000));
    EXPECT_EQ(menu.exitCode(), 0);
    EXPECT_EQ(Running(), 1) << "no second player";
    EXPECT_EQ(Count(), 3);
}
