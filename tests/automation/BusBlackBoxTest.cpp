// The real player, started on demand inside this test's private session bus, driven only
// through the bus and tavictl.
#include "automation/dbus/AutomationBus.h"
#include "automation/tavictl/BusClient.h"
#include "support/QtApp.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QDBusVariant>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>

using tavi::automation::AutomationBus;
using tavi::automation::BusClient;
using tavi::automation::ClientError;

namespace {

struct CtlRun {
    int exitCode = -1;
    QString out;
    QString err;
};

CtlRun Tavictl(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(TAVICTL_BINARY), arguments);
    process.waitForFinished(60000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()).trimmed(),
            QString::fromUtf8(process.readAllStandardError()).trimmed()};
}

QDBusMessage RawCall(const QString& path, const QString& interface, const QString& member,
                     const QVariantList& arguments) {
    QDBusMessage call =
        QDBusMessage::createMethodCall(AutomationBus::kService, path, interface, member);
    call.setArguments(arguments);
    return QDBusConnection::sessionBus().call(call, QDBus::Block, 20000);
}

QVariantList Wrapped(const QVariantList& arguments) {
    QVariantList wrapped;
    for (const QVariant& argument : arguments) {
        wrapped.append(QVariant::fromValue(QDBusVariant(argument)));
    }
    return wrapped;
}

QDBusMessage Invoke(const QString& path, int id, ushort flags, const QVariantList& arguments) {
    return RawCall(path, AutomationBus::kDispatchInterface, QStringLiteral("Invoke"),
                   {id, QVariant::fromValue(flags), QVariant::fromValue(Wrapped(arguments))});
}

int ObjectCount() {
    const QDBusMessage reply = RawCall(AutomationBus::kRoot, AutomationBus::kRootInterface,
                                       QStringLiteral("ObjectCount"), {});
    return reply.arguments().value(0, -1).toInt();
}

class BlackBox : public testing::Test {
protected:
    // Scripts that run away are stopped after a second, not ten.
    static void WriteUserSettings() {
        const QString folder =
            qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/Kestrova/Tavi");
        QDir().mkpath(folder);
        QFile file(folder + QStringLiteral("/user.reg"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(
            "Windows Registry Editor Version 5.00\n\n"
            "[HKEY_CURRENT_USER\\Software\\Kestrova\\Tavi\\Settings]\n"
            "\"ScriptTimeout\"=dword:00000001\n");
    }
    static void SetUpTestSuite() {
        ASSERT_TRUE(QDBusConnection::sessionBus().isConnected()) << "run under dbus-run-session";
        ASSERT_FALSE(
            QDBusConnection::sessionBus().interface()->isServiceRegistered(AutomationBus::kService))
            << "the player must not run before the first call";
        WriteUserSettings();
        // The first call starts the player through the bus's activation.
        const CtlRun first = Tavictl({QStringLiteral("count")});
        ASSERT_EQ(first.exitCode, 0) << first.err.toStdString();
        ASSERT_FALSE(first.out.isEmpty());
        s_pid = QDBusConnection::sessionBus().interface()->servicePid(AutomationBus::kService);
        ASSERT_GT(s_pid, 0u);
        s_mappedAtStart = MappedFiles();
    }
    // The files the player has mapped now (its libraries among them).
    static QString MappedFiles() {
        QFile maps(QStringLiteral("/proc/%1/maps").arg(s_pid));
        return maps.open(QIODevice::ReadOnly) ? QString::fromUtf8(maps.readAll()) : QString();
    }
    static void TearDownTestSuite() {
        if (s_pid > 0) {
            ::kill(pid_t(s_pid), SIGTERM);
            QDeadlineTimer deadline(10000);
            while (::kill(pid_t(s_pid), 0) == 0 && !deadline.hasExpired()) {
                QThread::msleep(50);
            }
            ::kill(pid_t(s_pid), SIGKILL);
        }
    }
    // Each test starts from a new, empty playlist (marked saved first, so nothing asks).
    void SetUp() override {
        BusClient client(QDBusConnection::sessionBus());
        client.Put(client.Object(QStringLiteral("ActiveDocument")), QStringLiteral("Saved"), true);
        client.Call(client.Object(QStringLiteral("Documents")), QStringLiteral("Close"));
    }
    static inline uint s_pid = 0;
    static inline QString s_mappedAtStart;
};

// Libraries that only some files or macros need are opened when the first one comes: a
// start that maps them all costs every run their loading and memory.
TEST_F(BlackBox, AStartLeavesTheLibrariesOfRareWorkUnloaded) {
    ASSERT_TRUE(s_mappedAtStart.contains(QLatin1String("libQt6Core"))) << "maps not read";
    // (libsndfile is not among them: the sound server's client library, which ALSA's mixer
    // plugin brings at start, maps it anyway.)
    for (const char* library : {"libQt6Qml", "libopenmpt", "libfluidsynth", "libtavi_script_js"}) {
        EXPECT_FALSE(s_mappedAtStart.contains(QLatin1String(library))) << library;
    }
}

TEST_F(BlackBox, ModeWordsAreCaseSensitive) {
    EXPECT_EQ(Tavictl({QStringLiteral("mode"), QStringLiteral("SHUFFLE")}).exitCode, 0);
    EXPECT_EQ(Tavictl({QStringLiteral("mode"), QStringLiteral("shuffle")}).exitCode, 0);
    EXPECT_EQ(Tavictl({QStringLiteral("mode")}).out, QStringLiteral("SHUFFLE"));
    Tavictl({QStringLiteral("mode"), QStringLiteral("NORMAL")});
    EXPECT_EQ(Tavictl({QStringLiteral("mode")}).out, QStringLiteral("NORMAL"));
}

TEST_F(BlackBox, PlaylistEditsAndOutOfRangeItems) {
    QTemporaryDir dir;
    const QString a = dir.filePath(QStringLiteral("a.mp3"));
    const QString b = dir.filePath(QStringLiteral("b.mp3"));
    ASSERT_EQ(Tavictl({QStringLiteral("add"), a, b}).exitCode, 0);
    EXPECT_EQ(Tavictl({QStringLiteral("count")}).out, QStringLiteral("2"));
    EXPECT_EQ(Tavictl({QStringLiteral("list")}).out, a + QLatin1Char('\n') + b);
    EXPECT_EQ(Tavictl({QStringLiteral("item"), QStringLiteral("-1")}).out, QString());
    EXPECT_EQ(Tavictl({QStringLiteral("item"), QStringLiteral("2")}).out, QString());
    Tavictl({QStringLiteral("insert"), QStringLiteral("0"), QStringLiteral("/z.mp3")});
    Tavictl({QStringLiteral("remove"), QStringLiteral("2")});
    EXPECT_EQ(Tavictl({QStringLiteral("list")}).out, QStringLiteral("/z.mp3\n") + a);
    EXPECT_EQ(Tavictl({QStringLiteral("status")}).out, QStringLiteral("STOP"));
}

// Calls kept in flight still reach the player in order; one failing among them is reported
// once the rest are answered, and does not stop those sent after it.
TEST_F(BlackBox, CallsInFlightKeepTheirOrderAndReportAFailure) {
    BusClient client(QDBusConnection::sessionBus());
    const QString playlist = client.Object(QStringLiteral("Playlist"));
    QList<QVariantList> adds;
    QStringList expected;
    for (int i = 0; i < 3 * BusClient::kCallsInFlight; ++i) {
        expected.append(QStringLiteral("/music/%1.mp3").arg(i));
        adds.append({expected.back()});
    }
    client.CallEach(playlist, QStringLiteral("Add"), adds);
    QList<QVariantList> indexes;
    for (int i = 0; i < expected.size(); ++i) {
        indexes.append(QVariantList{i});
    }
    QStringList items;
    for (const QVariant& item : client.CallEach(playlist, QStringLiteral("Item"), indexes)) {
        items.append(item.toString());
    }
    EXPECT_EQ(items, expected);

    const QList<QVariantList> inserts{{0, QStringLiteral("/first.mp3")},
                                      {QStringLiteral("nowhere"), QStringLiteral("/bad.mp3")},
                                      {0, QStringLiteral("/after.mp3")}};
    EXPECT_THROW(client.CallEach(playlist, QStringLiteral("Insert"), inserts),
                 tavi::automation::ClientError);
    EXPECT_EQ(client.Call(playlist, QStringLiteral("Item"), {0}).toString(),
              QStringLiteral("/after.mp3"));
    EXPECT_EQ(client.Call(playlist, QStringLiteral("Count")).toInt(), expected.size() + 2);
}

// A client reaches a script's functions through its macro, and a script that never ends is
// stopped while the player goes on answering.
TEST_F(BlackBox, ScriptFunctionsAreCallableThroughTheMacrosDispatch) {
    BusClient client(QDBusConnection::sessionBus());
    const QString macros = client.Object(QStringLiteral("Macros"));
    const QString macro = tavi::automation::TextOf(
        client.Call(macros, QStringLiteral("Add"), {QStringLiteral("bus")}));
    ASSERT_TRUE(
        client.Call(macro, QStringLiteral("Create"), {QStringLiteral("JavaScript")}).toBool());
    EXPECT_TRUE(MappedFiles().contains(QLatin1String("libtavi_script_js.so")))
        << "JavaScript runs in its module";
    client.Put(macro, QStringLiteral("Enabled"), true);
    client.Call(
        macro, QStringLiteral("AddCode"),
        {QStringLiteral("function Hello(who) { return 'hello ' + who + ' ' + Player.Status; }")});
    const QString global = tavi::automation::TextOf(client.Call(macro, QStringLiteral("Dispatch")));
    ASSERT_FALSE(global.isEmpty());
    EXPECT_EQ(client.Call(global, QStringLiteral("hello"), {QStringLiteral("bus")}).toString(),
              QStringLiteral("hello bus STOP"));
    client.Call(macro, QStringLiteral("AddCode"), {QStringLiteral("while (true) {}")});
    EXPECT_EQ(Tavictl({QStringLiteral("status")}).out, QStringLiteral("STOP"));
    client.Call(macros, QStringLiteral("Remove"), {QStringLiteral("bus")});
    EXPECT_THROW(client.Call(global, QStringLiteral("hello"), {QStringLiteral("again")}),
                 tavi::automation::ClientError)
        << "the script is gone with its macro";
}

TEST_F(BlackBox, ErrorsCarryTheirTextsAndCodes) {
    const struct {
        QStringList arguments;
        const char* error;
    } cases[] = {
        {{QStringLiteral("call"), QStringLiteral("Macros"), QStringLiteral("Item"),
          QStringLiteral("ghost")},
         "tavictl: Macro name ghost does not exists"},
        {{QStringLiteral("call"), QStringLiteral("Macros"), QStringLiteral("Item"),
          QStringLiteral("7")},
         "tavictl: Macro index 7 does not exist."},
        {{QStringLiteral("call"), QStringLiteral("Documents"), QStringLiteral("Item"),
          QStringLiteral("1")},
         "tavictl: Document index does not exist."},
        {{QStringLiteral("call"), QStringLiteral("Player"), QStringLiteral("PlayJingle"),
          QStringLiteral("x.wav")},
         "tavictl: PlayJingle() is not supported by Tavi"},
        {{QStringLiteral("call"), QStringLiteral("Player"), QStringLiteral("Jump")},
         "tavictl: Unknown name: Jump"},
    };
    for (const auto& c : cases) {
        const CtlRun run = Tavictl(c.arguments);
        EXPECT_NE(run.exitCode, 0) << c.error;
        EXPECT_EQ(run.err, QString::fromUtf8(c.error));
    }
    BusClient client(QDBusConnection::sessionBus());
    const QString player = client.Object(QStringLiteral("Player"));
    const QDBusMessage jingle = Invoke(player, 10, 1, {QStringLiteral("x.wav")});
    EXPECT_EQ(jingle.errorName(),
              AutomationBus::kErrorPrefix + QStringLiteral("Exception.Code1001"));
}

TEST_F(BlackBox, IdentityParentDocumentsKeepAndHelp) {
    BusClient client(QDBusConnection::sessionBus());
    const QString app = client.application();
    EXPECT_EQ(client.Call(app, QStringLiteral("Application")).value<QDBusObjectPath>().path(), app);
    EXPECT_EQ(client.Call(app, QStringLiteral("Parent")).value<QDBusObjectPath>().path(),
              QStringLiteral("/"));
    const QString documents = client.Object(QStringLiteral("Documents"));
    const QString first =
        client.Call(documents, QStringLiteral("Item"), {0}).value<QDBusObjectPath>().path();
    EXPECT_EQ(client.Call(documents, QStringLiteral("Item"), {-5}).value<QDBusObjectPath>().path(),
              first);
    EXPECT_NO_THROW(client.Call(app, QStringLiteral("Keep")));
    EXPECT_NO_THROW(client.Call(app, QStringLiteral("Help")));
    EXPECT_NO_THROW(client.Call(app, QStringLiteral("SendKeys"), {QStringLiteral("ab{ENTER")}));
    EXPECT_EQ(client.Call(app, QStringLiteral("Name")).toString(), QStringLiteral("Tavi"));
}

TEST_F(BlackBox, MalformedCallsAreAnsweredWithErrors) {
    BusClient client(QDBusConnection::sessionBus());
    const QString playlist = client.Object(QStringLiteral("Playlist"));
    const struct {
        int id;
        QVariantList arguments;
        const char* errorSuffix;
    } cases[] = {
        {999, {}, "MemberNotFound"},
        {8, {QStringLiteral("seven")}, "TypeMismatch"},
        {8, {1, 2, 3}, "BadParamCount"},
        {8,
         {QVariant::fromValue(QDBusObjectPath(QStringLiteral("/org/kestrova/Tavi/Nothing9")))},
         "TypeMismatch"},
        {6, {QString(4 * 1024 * 1024, QLatin1Char('x')), 1}, "BadParamCount"},
    };
    for (const auto& c : cases) {
        const QDBusMessage reply = Invoke(playlist, c.id, 3, c.arguments);
        EXPECT_EQ(reply.errorName(),
                  AutomationBus::kErrorPrefix + QString::fromLatin1(c.errorSuffix))
            << c.id << " " << reply.errorMessage().toStdString();
    }
    const QDBusMessage wrongSignature = RawCall(playlist, AutomationBus::kDispatchInterface,
                                                QStringLiteral("Invoke"), {QStringLiteral("x")});
    EXPECT_EQ(wrongSignature.type(), QDBusMessage::ErrorMessage);
    EXPECT_TRUE(RawCall(playlist, AutomationBus::kDispatchInterface, QStringLiteral("Release"), {})
                    .arguments()
                    .value(0)
                    .toBool());
    const QDBusMessage released = Invoke(playlist, 1, 2, {});
    EXPECT_EQ(released.errorName(), AutomationBus::kErrorPrefix + QStringLiteral("UnknownObject"));
    EXPECT_EQ(
        client.Call(client.Object(QStringLiteral("Playlist")), QStringLiteral("Count")).toInt(), 0)
        << "the player still answers";
}

TEST_F(BlackBox, ObjectsOfAClientThatLeavesAreFreed) {
    const int before = ObjectCount();
    {
        QDBusConnection other =
            QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("leaver"));
        BusClient client(other);
        const QString app = client.application();
        for (int i = 0; i < 200; ++i) {
            client.Call(app, QStringLiteral("Playlist"));
        }
        EXPECT_GE(ObjectCount(), before + 200);
    }
    QDBusConnection::disconnectFromBus(QStringLiteral("leaver"));
    QDeadlineTimer deadline(10000);
    while (ObjectCount() != before && !deadline.hasExpired()) {
        QCoreApplication::processEvents();
        QThread::msleep(20);
    }
    EXPECT_EQ(ObjectCount(), before);
}

TEST_F(BlackBox, DdeHandsTheFileToTheRunningPlayer) {
    QTemporaryDir dir;
    QDir().mkpath(dir.filePath(QStringLiteral("album")));
    QFile file(dir.filePath(QStringLiteral("album/one.mp3")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    QProcess second;
    second.start(QStringLiteral(TAVI_BINARY),
                 {QStringLiteral("-dde"), dir.filePath(QStringLiteral("album"))});
    ASSERT_TRUE(second.waitForFinished(30000)) << "a hand-off ends at once";
    EXPECT_EQ(second.exitCode(), 0);
    // The player takes files handed in together as one batch, after a moment's quiet.
    QString listed;
    QDeadlineTimer deadline(10000);
    while ((listed = Tavictl({QStringLiteral("list")}).out) != file.fileName() &&
           !deadline.hasExpired()) {
        QThread::msleep(50);
    }
    EXPECT_EQ(listed, file.fileName());
}

QString Playerctl(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral("playerctl"),
                  QStringList{QStringLiteral("--player=tavi")} + arguments);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

bool Eventually(const std::function<bool()>& done) {
    return tavi::test::processEventsUntil(done, 10000);
}

// Records the event signals of one bus object.
class SignalRecorder : public QObject {
    Q_OBJECT
public:
    QStringList names;
public Q_SLOTS:
    void Received(const QDBusMessage& message) { names.append(message.member()); }
};

TEST_F(BlackBox, MembersAreCallableByNameAndListedForPeople) {
    BusClient client(QDBusConnection::sessionBus());
    const QString playlist = client.Object(QStringLiteral("Playlist"));
    Tavictl({QStringLiteral("add"), QStringLiteral("/music/a.mp3")});
    const QDBusMessage item =
        RawCall(playlist, AutomationBus::kObjectInterface, QStringLiteral("Item"), {0});
    EXPECT_EQ(item.arguments().value(0).value<QDBusVariant>().variant().toString(),
              QStringLiteral("/music/a.mp3"));
    const QDBusMessage count =
        RawCall(playlist, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"),
                {AutomationBus::kObjectInterface, QStringLiteral("Count")});
    EXPECT_EQ(count.arguments().value(0).value<QDBusVariant>().variant().toInt(), 1);
    const QString xml = RawCall(playlist, QStringLiteral("org.freedesktop.DBus.Introspectable"),
                                QStringLiteral("Introspect"), {})
                            .arguments()
                            .value(0)
                            .toString();
    EXPECT_TRUE(
        xml.contains(QStringLiteral("<property name=\"Count\" type=\"i\" access=\"read\"/>")))
        << xml.toStdString();
    EXPECT_TRUE(
        xml.contains(QStringLiteral("<method name=\"Insert\"><arg direction=\"in\" type=\"i\"/>")));
}

TEST_F(BlackBox, RegisterWritesTheUsersDesktopFilesAndUnregisterRemovesThem) {
    QTemporaryDir data;
    QProcess tavi;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_DATA_HOME"), data.path());
    tavi.setProcessEnvironment(environment);
    const QString service =
        data.filePath(QStringLiteral("dbus-1/services/org.kestrova.Tavi.service"));
    const QString desktop = data.filePath(QStringLiteral("applications/org.kestrova.Tavi.desktop"));
    tavi.start(QStringLiteral(TAVI_BINARY), {QStringLiteral("/RegisterPerUser")});
    ASSERT_TRUE(tavi.waitForFinished(30000));
    EXPECT_EQ(tavi.exitCode(), 0);
    EXPECT_TRUE(QFile::exists(service));
    EXPECT_TRUE(QFile::exists(desktop));
    tavi.start(QStringLiteral(TAVI_BINARY), {QStringLiteral("-Unregister")});
    ASSERT_TRUE(tavi.waitForFinished(30000));
    EXPECT_FALSE(QFile::exists(service));
    EXPECT_FALSE(QFile::exists(desktop));
}

TEST_F(BlackBox, PlayerctlPlaysPausesAndStops) {
    Tavictl({QStringLiteral("add"), QStringLiteral("/music/30.pause")});
    EXPECT_EQ(Playerctl({QStringLiteral("status")}), QStringLiteral("Stopped"));
    Playerctl({QStringLiteral("play")});
    EXPECT_TRUE(Eventually(
        [] { return Playerctl({QStringLiteral("status")}) == QLatin1String("Playing"); }));
    EXPECT_EQ(Tavictl({QStringLiteral("status")}).out, QStringLiteral("PLAY"));
    EXPECT_EQ(Playerctl({QStringLiteral("metadata"), QStringLiteral("xesam:title")}),
              QStringLiteral("30 sec."));
    Playerctl({QStringLiteral("pause")});
    EXPECT_TRUE(Eventually(
        [] { return Playerctl({QStringLiteral("status")}) == QLatin1String("Paused"); }));
    EXPECT_EQ(Tavictl({QStringLiteral("status")}).out, QStringLiteral("PAUSE"));
    Playerctl({QStringLiteral("loop"), QStringLiteral("Track")});
    EXPECT_EQ(Tavictl({QStringLiteral("mode")}).out, QStringLiteral("LOOP"));
    Playerctl({QStringLiteral("shuffle"), QStringLiteral("On")});
    EXPECT_EQ(Tavictl({QStringLiteral("mode")}).out, QStringLiteral("RANDOM"));
    Tavictl({QStringLiteral("mode"), QStringLiteral("NORMAL")});
    Playerctl({QStringLiteral("stop")});
    EXPECT_TRUE(Eventually(
        [] { return Tavictl({QStringLiteral("status")}).out == QLatin1String("STOP"); }));
}

TEST_F(BlackBox, PlayerEventsArriveAsSignals) {
    BusClient client(QDBusConnection::sessionBus());
    const QString player = client.Object(QStringLiteral("Player"));
    SignalRecorder recorder;
    ASSERT_TRUE(QDBusConnection::sessionBus().connect(AutomationBus::kService, player,
                                                      AutomationBus::kEventInterface, QString(),
                                                      &recorder, SLOT(Received(QDBusMessage))));
    Tavictl({QStringLiteral("add"), QStringLiteral("/music/0.pause")});
    client.Call(player, QStringLiteral("Play"));
    EXPECT_TRUE(Eventually([&] { return recorder.names.contains(QStringLiteral("Stop")); }));
    EXPECT_TRUE(recorder.names.contains(QStringLiteral("Start")));
    EXPECT_TRUE(recorder.names.contains(QStringLiteral("Event")));
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

#include "BusBlackBoxTest.moc"
