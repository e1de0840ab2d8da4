// The real player as a Linux user meets it: streams from a web server, the formats music
// is kept in, and the bus tools that walk its objects. Each test has its own home on the
// private session bus the test runs in.
#include "automation/dbus/AutomationBus.h"
#include "automation/tavictl/BusClient.h"
#include "support/PlayerOnBus.h"
#include "support/QtApp.h"
#include "support/TagWriter.h"
#include "support/TestMedia.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <QUrl>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#include <cmath>

#include <csignal>
#include <cstdio>
#include <functional>
#include <memory>

using tavi::automation::AutomationBus;
using tavi::automation::BusClient;

namespace {

QDBusMessage MprisGet(const QString& property) {
    return QDBusConnection::sessionBus().call(
        QDBusMessage::createMethodCall(QStringLiteral("org.mpris.MediaPlayer2.tavi"),
                                       QStringLiteral("/org/mpris/MediaPlayer2"),
                                       QStringLiteral("org.freedesktop.DBus.Properties"),
                                       QStringLiteral("Get"))
        << QStringLiteral("org.mpris.MediaPlayer2.Player") << property);
}

QVariantMap MprisMetadata() {
    const QDBusMessage reply = MprisGet(QStringLiteral("Metadata"));
    if (reply.type() != QDBusMessage::ReplyMessage) {
        return {};
    }
    const QVariant value = reply.arguments().value(0).value<QDBusVariant>().variant();
    QVariantMap map;
    value.value<QDBusArgument>() >> map;
    return map;
}

// Connects to (or, with port 0, binds) a loopback port; the port bound, or 0 on failure.
quint16 LoopbackSocket(quint16 port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    auto* raw = reinterpret_cast<sockaddr*>(&address);
    socklen_t length = sizeof(address);
    const bool ok = port == 0 ? ::bind(fd, raw, length) == 0 && ::getsockname(fd, raw, &length) == 0
                              : ::connect(fd, raw, length) == 0;
    ::close(fd);
    return ok ? ntohs(address.sin_port) : 0;
}

// A web server on a free port of the loopback interface, serving one folder.
class WebServer {
public:
    explicit WebServer(const QString& folder) : m_port(LoopbackSocket(0)) {
        m_process.setWorkingDirectory(folder);
        m_process.start(
            QStringLiteral("python3"),
            {QStringLiteral("-m"), QStringLiteral("http.server"), QString::number(m_port),
             QStringLiteral("--bind"), QStringLiteral("127.0.0.1")});
    }
    ~WebServer() {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
    bool WaitUntilServing() {
        return m_port != 0 && m_process.waitForStarted(10000) &&
               tavi::test::processEventsUntil([this] { return LoopbackSocket(m_port) != 0; },
                                              20000);
    }
    QString Url(const QString& name) const {
        return QStringLiteral("http://127.0.0.1:%1/%2").arg(m_port).arg(name);
    }

private:
    quint16 m_port;
    QProcess m_process;
};

class LinuxUser : public testing::Test {
protected:
    void SetUp() override {
        tavi::test::coreApplication();
        ASSERT_TRUE(QDBusConnection::sessionBus().isConnected()) << "run under dbus-run-session";
        ASSERT_FALSE(tavi::test::playerOnBus()) << "an earlier test left its player running";
    }
    void TearDown() override {
        m_client.reset();  // its release after the quit would start a player by activation
        if (m_tavi && m_tavi->state() != QProcess::NotRunning) {
            ::kill(pid_t(m_tavi->processId()), SIGTERM);
            if (!m_tavi->waitForFinished(10000)) {
                m_tavi->kill();
                m_tavi->waitForFinished(5000);
            }
            EXPECT_FALSE(QString::fromLocal8Bit(m_tavi->readAllStandardError())
                             .contains(QLatin1String("terminate called")));
        }
        tavi::test::processEventsUntil([] { return !tavi::test::playerOnBus(); }, 5000);
    }

    QString Home(const QString& name) const { return m_home.filePath(name); }

    // Settings of the Settings key, one "name"=value line each, before the start.
    void WriteSettings(const QByteArray& lines) {
        const QString folder = Home(QStringLiteral("config/Kestrova/Tavi"));
        QDir().mkpath(folder);
        QFile file(folder + QStringLiteral("/user.reg"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(
            "Windows Registry Editor Version 5.00\n\n"
            "[HKEY_CURRENT_USER\\Software\\Kestrova\\Tavi\\Settings]\n" +
            lines);
    }

    void Start() {
        m_tavi = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("TAVI_AUDIO_OUTPUT"), QStringLiteral("null"));
        env.insert(QStringLiteral("HOME"), m_home.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), Home(QStringLiteral("config")));
        env.insert(QStringLiteral("XDG_STATE_HOME"), Home(QStringLiteral("state")));
        env.insert(QStringLiteral("XDG_DATA_HOME"), Home(QStringLiteral("data")));
        m_tavi->setProcessEnvironment(env);
        m_tavi->setWorkingDirectory(m_home.path());
        m_tavi->start(QStringLiteral(TAVI_BINARY), {});
        ASSERT_TRUE(m_tavi->waitForStarted(10000));
        ASSERT_TRUE(tavi::test::processEventsUntil(
            [] {
                // Asked only once the name is there: a call before would start a player by
                // bus activation where a service file is installed.
                return tavi::test::playerOnBus() &&
                       QDBusConnection::sessionBus()
                               .call(QDBusMessage::createMethodCall(AutomationBus::kService,
                                                                    AutomationBus::kRoot,
                                                                    AutomationBus::kRootInterface,
                                                                    QStringLiteral("ObjectCount")),
                                     QDBus::Block, 500)
                               .type() == QDBusMessage::ReplyMessage;
            },
            30000));
        m_client = std::make_unique<BusClient>(QDBusConnection::sessionBus());
    }

    BusClient& Client() { return *m_client; }
    QString Status() {
        return Client()
            .Call(Client().Object(QStringLiteral("Player")), QStringLiteral("Status"))
            .toString();
    }
    bool WaitForStatus(const QString& status, int timeoutMs = 20000) {
        return tavi::test::processEventsUntil([&] { return Status() == status; }, timeoutMs);
    }

    QTemporaryDir m_home;
    std::unique_ptr<QProcess> m_tavi;
    std::unique_ptr<BusClient> m_client;
};

}  // namespace

// A WAV on a web server plays as an entry of its own, alone, from a radio list, and from a
// mini playlist; a PLS of streams is read into its entries.
TEST_F(LinuxUser, AFileServedOverHttpPlaysAsAUrlEntry) {
    const QString served = Home(QStringLiteral("served"));
    QDir().mkpath(served);
    ASSERT_TRUE(tavi::test::MakeWav(served + QStringLiteral("/tone.wav"), 3.0));
    WebServer server(served);
    ASSERT_TRUE(server.WaitUntilServing());
    const QString url = server.Url(QStringLiteral("tone.wav"));
    Start();
    const QString player = Client().Object(QStringLiteral("Player"));
    const QString playlist = Client().Object(QStringLiteral("Playlist"));

    Client().Call(playlist, QStringLiteral("Add"), {url});
    EXPECT_EQ(Client().Call(playlist, QStringLiteral("Item"), {0}).toString(), url);
    EXPECT_EQ(Client().Call(playlist, QStringLiteral("DisplayNameOf"), {url}).toString(),
              QStringLiteral("tone"));
    Client().Call(player, QStringLiteral("Play"));
    ASSERT_TRUE(WaitForStatus(QStringLiteral("PLAY")));
    EXPECT_EQ(Client().Call(player, QStringLiteral("FileName")).toString(), url);
    // Unknown (an error) while the stream still opens in the background, then the WAV's own.
    const auto duration = [&]() -> double {
        try {
            return Client().Call(player, QStringLiteral("Duration")).toDouble();
        } catch (const tavi::automation::ClientError&) {
            return -1;
        }
    };
    EXPECT_TRUE(
        tavi::test::processEventsUntil([&] { return std::abs(duration() - 3.0) < 0.2; }, 10000))
        << "the stream's length: " << duration();
    EXPECT_EQ(MprisMetadata().value(QStringLiteral("xesam:url")).toString(), url);
    Client().Call(player, QStringLiteral("Stop"));
    ASSERT_TRUE(WaitForStatus(QStringLiteral("STOP")));

    // A radio list: the PLS is read into its streams, the M3U plays as a mini playlist.
    QFile pls(Home(QStringLiteral("radio.pls")));
    ASSERT_TRUE(pls.open(QIODevice::WriteOnly));
    pls.write("[playlist]\nNumberOfEntries=1\nFile1=" + url.toUtf8() + "\nTitle1=Tone\n");
    pls.close();
    Client().Call(playlist, QStringLiteral("Add"), {pls.fileName()});
    EXPECT_EQ(Client().Call(playlist, QStringLiteral("Count")).toInt(), 2);
    EXPECT_EQ(Client().Call(playlist, QStringLiteral("Item"), {1}).toString(), url);

    QFile m3u(Home(QStringLiteral("radio.m3u")));
    ASSERT_TRUE(m3u.open(QIODevice::WriteOnly));
    m3u.write("#EXTM3U\n#EXTINF:-1,Tone\n" + url.toUtf8() + "\n");
    m3u.close();
    Client().Put(player, QStringLiteral("FileName"), m3u.fileName());
    EXPECT_TRUE(WaitForStatus(QStringLiteral("PLAY"))) << "the mini playlist of a stream";
    Client().Call(player, QStringLiteral("Stop"));
    EXPECT_TRUE(WaitForStatus(QStringLiteral("STOP")));
}

// Every format's tags name its entry on the bus, and the playing track's reach MPRIS.
TEST_F(LinuxUser, TagsOfTheCommonFormatsAreShown) {
    WriteSettings(
        "\"UseMetaData\"=hex:01,00,00,00\n"
        "\"DisplayNameFormat\"=\"$(Artist) - $(Title) [$(Album)]\"\n");
    const QString aac = tavi::test::FirstElement({"fdkaacenc", "voaacenc", "avenc_aac"});
    struct Made {
        QString path;
        QString format;
    };
    std::vector<Made> files;
    const std::pair<const char*, QString> formats[] = {
        {"a.flac", QStringLiteral("flacenc")},
        {"b.ogg", QStringLiteral("vorbisenc ! oggmux")},
        {"c.opus", QStringLiteral("opusenc ! oggmux")},
        {"d.m4a", aac.isEmpty() ? QString() : aac + QStringLiteral(" ! mp4mux")},
        {"e.wv", QStringLiteral("wavpackenc")},
    };
    for (const auto& [name, chain] : formats) {
        const QString path = Home(QString::fromLatin1(name));
        if (chain.isEmpty() || !tavi::test::MakeEncoded(path, 2.0, chain)) {
            std::printf("skipped %s: this machine's GStreamer cannot encode it\n", name);
            continue;
        }
        const QString title = QStringLiteral("Title of %1").arg(QString::fromLatin1(name));
        ASSERT_TRUE(tavi::test::TagFile(path, {{"ARTIST", QStringLiteral("Ana Šimić")},
                                               {"TITLE", title},
                                               {"ALBUM", QStringLiteral("Pjesme")},
                                               {"TRACKNUMBER", QStringLiteral("4")},
                                               {"GENRE", QStringLiteral("Folk")}}))
            << name;
        files.push_back({path, title});
    }
    ASSERT_GE(files.size(), 4u) << "FLAC, Vorbis, Opus and WavPack encoders come with GStreamer";
    Start();
    const QString playlist = Client().Object(QStringLiteral("Playlist"));
    for (const Made& made : files) {
        EXPECT_EQ(Client().Call(playlist, QStringLiteral("DisplayNameOf"), {made.path}).toString(),
                  QStringLiteral("Ana Šimić - %1 [Pjesme]").arg(made.format));
    }
    const QString player = Client().Object(QStringLiteral("Player"));
    Client().Put(player, QStringLiteral("FileName"), files.front().path);
    ASSERT_TRUE(WaitForStatus(QStringLiteral("PLAY")));
    const QVariantMap metadata = MprisMetadata();
    EXPECT_EQ(metadata.value(QStringLiteral("xesam:artist")).toStringList(),
              QStringList{QStringLiteral("Ana Šimić")});
    EXPECT_EQ(metadata.value(QStringLiteral("xesam:album")).toString(), QStringLiteral("Pjesme"));
    EXPECT_EQ(metadata.value(QStringLiteral("xesam:trackNumber")).toInt(), 4);
    EXPECT_EQ(metadata.value(QStringLiteral("xesam:title")).toString(),
              QStringLiteral("Ana Šimić - Title of a.flac [Pjesme]"));
    EXPECT_NEAR(metadata.value(QStringLiteral("mpris:length")).toLongLong() / 1e6, 2.0, 0.2);
}

// gdbus and busctl walk the tree from "/" and read every object; each answers a document
// with a <node> root. An add from a client is an edit like any other.
TEST_F(LinuxUser, EveryObjectPathIntrospects) {
    Start();
    // Objects of every kind the model hands out.
    for (const char* name :
         {"Player", "Playlist", "Console", "Macros", "Documents", "ActiveDocument"}) {
        ASSERT_FALSE(Client().Object(QString::fromLatin1(name)).isEmpty()) << name;
    }
    const QString playlist = Client().Object(QStringLiteral("Playlist"));
    const QString document = Client().Object(QStringLiteral("ActiveDocument"));
    Client().Put(document, QStringLiteral("Saved"), true);
    Client().Call(playlist, QStringLiteral("Add"), {QStringLiteral("/music/a.mp3")});
    EXPECT_FALSE(Client().Call(document, QStringLiteral("Saved")).toBool())
        << "an add from a client changes the document";

    const QString address = qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS");
    const QRegularExpression child(QStringLiteral("<node name=\"([^\"]+)\""));
    QStringList paths{QStringLiteral("/")};
    QStringList seen;
    while (!paths.isEmpty()) {
        const QString path = paths.takeFirst();
        seen.append(path);
        QProcess gdbus;
        gdbus.start(QStringLiteral("gdbus"),
                    {QStringLiteral("introspect"), QStringLiteral("--session"),
                     QStringLiteral("--dest"), AutomationBus::kService,
                     QStringLiteral("--object-path"), path, QStringLiteral("--xml")});
        ASSERT_TRUE(gdbus.waitForFinished(20000));
        const QString xml = QString::fromUtf8(gdbus.readAllStandardOutput());
        EXPECT_EQ(gdbus.exitCode(), 0)
            << path.toStdString() << ": " << gdbus.readAllStandardError().toStdString();
        EXPECT_TRUE(xml.contains(QLatin1String("<node>")) && xml.contains(QLatin1String("</node>")))
            << path.toStdString() << ": " << xml.toStdString();
        QProcess busctl;
        busctl.start(QStringLiteral("busctl"),
                     {QStringLiteral("--address=") + address, QStringLiteral("introspect"),
                      AutomationBus::kService, path});
        ASSERT_TRUE(busctl.waitForFinished(20000));
        EXPECT_EQ(busctl.exitCode(), 0)
            << path.toStdString() << ": " << busctl.readAllStandardError().toStdString();
        for (auto it = child.globalMatch(xml); it.hasNext();) {
            const QString name = it.next().captured(1);
            paths.append(path == QLatin1String("/") ? u'/' + name : path + u'/' + name);
        }
    }
    for (const QString& expected :
         {QStringLiteral("/org"), QStringLiteral("/org/kestrova"), AutomationBus::kRoot,
          QStringLiteral("/org/mpris/MediaPlayer2"), playlist, document}) {
        EXPECT_TRUE(seen.contains(expected)) << expected.toStdString() << " not reached from /";
    }
}

namespace {

// One run of a bus tool; its output, trimmed.
QString RunTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(20000);
    EXPECT_EQ(process.exitCode(), 0)
        << program.toStdString() << ": " << process.readAllStandardError().toStdString();
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

QString Playerctl(const QStringList& arguments) {
    return RunTool(QStringLiteral("playerctl"),
                   QStringList{QStringLiteral("--player=tavi")} + arguments);
}

QString Busctl(const QStringList& arguments) {
    return RunTool(QStringLiteral("busctl"),
                   QStringList{QStringLiteral("--address=") +
                               qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS")} +
                       arguments);
}

QString MprisBusctl(const QString& verb, const QString& interface, const QStringList& rest) {
    return Busctl(QStringList{verb, QStringLiteral("org.mpris.MediaPlayer2.tavi"),
                              QStringLiteral("/org/mpris/MediaPlayer2"),
                              QStringLiteral("org.mpris.MediaPlayer2.") + interface} +
                  rest);
}

// The object paths busctl prints in an answer, in order.
QStringList PathsIn(const QString& output, const QString& prefix) {
    QStringList paths;
    const QRegularExpression path(QStringLiteral("\"?(%1[0-9]+)\"?").arg(prefix));
    for (auto it = path.globalMatch(output); it.hasNext();) {
        paths.append(it.next().captured(1));
    }
    return paths;
}

QStringList TrackIds() {
    return PathsIn(MprisBusctl(QStringLiteral("get-property"), QStringLiteral("TrackList"),
                               {QStringLiteral("Tracks")}),
                   QStringLiteral("/org/kestrova/Tavi/track/"));
}

}  // namespace

// Desktop tools see the list as MPRIS tracks (added, removed, gone to) and the recent
// playlists as MPRIS playlists. The player starts with the latest of them open.
TEST_F(LinuxUser, BusToolsSeeTheTrackListAndThePlaylists) {
    const QString one = Home(QStringLiteral("one.wav"));
    const QString two = Home(QStringLiteral("two.wav"));
    const QString three = Home(QStringLiteral("three.wav"));
    for (const QString& path : {one, two, three}) {
        ASSERT_TRUE(tavi::test::MakeWav(path, 20.0));
    }
    const auto writeList = [&](const char* name, const QStringList& entries) {
        QFile list(Home(QString::fromLatin1(name)));
        EXPECT_TRUE(list.open(QIODevice::WriteOnly));
        list.write(QFile::encodeName(entries.join(u'\n')) + "\n");
        return QFile::encodeName(list.fileName());
    };
    const QByteArray evening = writeList("Evening.m3u", {one, two});
    const QByteArray morning = writeList("Morning.m3u", {three});
    WriteSettings({});
    QFile registry(Home(QStringLiteral("config/Kestrova/Tavi/user.reg")));
    ASSERT_TRUE(registry.open(QIODevice::Append));
    registry.write(
        "\n[HKEY_CURRENT_USER\\Software\\Kestrova\\Tavi\\Recent File List]\n"
        "\"File1\"=\"" +
        evening + "\"\n\"File2\"=\"" + morning + "\"\n");
    registry.close();
    Start();
    ASSERT_TRUE(tavi::test::processEventsUntil([] { return TrackIds().size() == 2; }, 10000));
    const QStringList opened = TrackIds();

    MprisBusctl(QStringLiteral("call"), QStringLiteral("TrackList"),
                {QStringLiteral("AddTrack"), QStringLiteral("sob"),
                 QUrl::fromLocalFile(three).toString(), opened[0], QStringLiteral("false")});
    ASSERT_TRUE(tavi::test::processEventsUntil([] { return TrackIds().size() == 3; }, 10000));
    const QString added = TrackIds()[1];
    EXPECT_FALSE(opened.contains(added));
    const QString playlist = Client().Object(QStringLiteral("Playlist"));
    EXPECT_EQ(Client().Call(playlist, QStringLiteral("Item"), {1}).toString(), three);
    EXPECT_TRUE(MprisBusctl(QStringLiteral("call"), QStringLiteral("TrackList"),
                            {QStringLiteral("GetTracksMetadata"), QStringLiteral("ao"),
                             QStringLiteral("1"), added})
                    .contains(QUrl::fromLocalFile(three).toString()));

    MprisBusctl(QStringLiteral("call"), QStringLiteral("TrackList"),
                {QStringLiteral("GoTo"), QStringLiteral("o"), opened[1]});
    ASSERT_TRUE(WaitForStatus(QStringLiteral("PLAY")));
    EXPECT_EQ(
        Playerctl({QStringLiteral("metadata"), QStringLiteral("mpris:trackid")}).remove(u'\''),
        opened[1]);
    EXPECT_EQ(Playerctl({QStringLiteral("metadata"), QStringLiteral("xesam:url")}),
              QUrl::fromLocalFile(two).toString());
    RunTool(QStringLiteral("gdbus"),
            {QStringLiteral("call"), QStringLiteral("--session"), QStringLiteral("--dest"),
             QStringLiteral("org.mpris.MediaPlayer2.tavi"), QStringLiteral("--object-path"),
             QStringLiteral("/org/mpris/MediaPlayer2"), QStringLiteral("--method"),
             QStringLiteral("org.mpris.MediaPlayer2.TrackList.RemoveTrack"), opened[0]});
    ASSERT_TRUE(tavi::test::processEventsUntil([] { return TrackIds().size() == 2; }, 10000));
    EXPECT_EQ(TrackIds(), (QStringList{added, opened[1]}));

    const QString playlists = MprisBusctl(
        QStringLiteral("call"), QStringLiteral("Playlists"),
        {QStringLiteral("GetPlaylists"), QStringLiteral("uusb"), QStringLiteral("0"),
         QStringLiteral("10"), QStringLiteral("Alphabetical"), QStringLiteral("false")});
    EXPECT_TRUE(playlists.contains(QLatin1String("\"Evening\""))) << playlists.toStdString();
    const QStringList ids = PathsIn(playlists, QStringLiteral("/org/kestrova/Tavi/playlist/"));
    ASSERT_EQ(ids.size(), 2);
    const QString active = MprisBusctl(QStringLiteral("get-property"), QStringLiteral("Playlists"),
                                       {QStringLiteral("ActivePlaylist")});
    EXPECT_TRUE(active.contains(ids[0]) && active.contains(QLatin1String("Evening")))
        << active.toStdString();
    // Marked saved as a client would: Open then has nothing to ask about the edited list.
    Client().Put(Client().Object(QStringLiteral("ActiveDocument")), QStringLiteral("Saved"), true);
    MprisBusctl(QStringLiteral("call"), QStringLiteral("Playlists"),
                {QStringLiteral("ActivatePlaylist"), QStringLiteral("o"), ids[1]});
    ASSERT_TRUE(tavi::test::processEventsUntil(
        [&] { return Client().Call(playlist, QStringLiteral("Item"), {0}).toString() == three; },
        10000))
        << "Morning's entries";
    EXPECT_EQ(Client().Call(playlist, QStringLiteral("Count")).toInt(), 1);
    EXPECT_TRUE(MprisBusctl(QStringLiteral("get-property"), QStringLiteral("Playlists"),
                            {QStringLiteral("ActivePlaylist")})
                    .contains(ids[1]));
    ASSERT_TRUE(tavi::test::processEventsUntil([] { return TrackIds().size() == 1; }, 10000));
    EXPECT_FALSE(opened.contains(TrackIds()[0]) || TrackIds()[0] == added)
        << "a list opened anew has new ids";
}
