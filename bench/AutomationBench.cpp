// The player on a private session bus, called from this second process: round trips,
// adding entries, and the player's resident memory after a client drops many objects.
#include "automation/dbus/AutomationBus.h"
#include "automation/tavictl/BusClient.h"

#include <benchmark/benchmark.h>

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

using tavi::automation::AutomationBus;
using tavi::automation::BusClient;

namespace {

// A session bus of our own with the player on it; both end with the object.
class PrivateSession {
public:
    PrivateSession() {
        m_daemon.start(QStringLiteral("dbus-daemon"),
                       {QStringLiteral("--session"), QStringLiteral("--nofork"),
                        QStringLiteral("--print-address=1")});
        m_daemon.waitForReadyRead(10000);
        m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), m_address);
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("TAVI_AUDIO_OUTPUT"), QStringLiteral("null"));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_config.path());
        // Ending the player keeps its list for the next start: not in the user's folder.
        environment.insert(QStringLiteral("XDG_STATE_HOME"), m_config.path());
        m_player.setProcessEnvironment(environment);
        m_player.start(QStringLiteral(TAVI_BINARY), {QStringLiteral("-Automation")});
        m_bus = QDBusConnection::connectToBus(m_address, QStringLiteral("bench"));
        QDeadlineTimer deadline(30000);
        while (!Ready() && !deadline.hasExpired()) {
            QThread::msleep(20);
        }
    }
    ~PrivateSession() {
        QDBusConnection::disconnectFromBus(QStringLiteral("bench"));
        m_player.terminate();
        if (!m_player.waitForFinished(10000)) {
            m_player.kill();
            m_player.waitForFinished();
        }
        m_daemon.terminate();
        m_daemon.waitForFinished();
    }
    bool Ready() const {
        return m_bus.isConnected() &&
               m_bus.interface()->isServiceRegistered(AutomationBus::kService);
    }
    QDBusConnection& bus() { return m_bus; }
    const QString& address() const { return m_address; }
    // The player's resident set, in kB.
    long ResidentKb() const {
        QFile status(QStringLiteral("/proc/%1/status").arg(m_player.processId()));
        if (!status.open(QIODevice::ReadOnly)) {
            return -1;
        }
        for (const QByteArray& line : status.readAll().split('\n')) {
            if (line.startsWith("VmRSS:")) {
                return line.mid(6).trimmed().split(' ').front().toLong();
            }
        }
        return -1;
    }
    int ObjectCount() {
        const QDBusMessage reply = m_bus.call(QDBusMessage::createMethodCall(
            AutomationBus::kService, AutomationBus::kRoot, AutomationBus::kRootInterface,
            QStringLiteral("ObjectCount")));
        return reply.arguments().value(0, -1).toInt();
    }

private:
    QTemporaryDir m_config;
    QProcess m_daemon;
    QProcess m_player;
    QString m_address;
    QDBusConnection m_bus{QString()};
};

// A client on its own connection creates count Playlist objects, then leaves the bus.
void CreateAndLeave(PrivateSession& session, int count) {
    const int before = session.ObjectCount();
    {
        QDBusConnection other =
            QDBusConnection::connectToBus(session.address(), QStringLiteral("leaver"));
        BusClient client(other);
        for (int i = 0; i < count; ++i) {
            client.Call(client.application(), QStringLiteral("Playlist"));
        }
    }
    QDBusConnection::disconnectFromBus(QStringLiteral("leaver"));
    QDeadlineTimer deadline(60000);
    while (session.ObjectCount() != before && !deadline.hasExpired()) {
        QThread::msleep(50);
    }
}

}  // namespace

static void counters_automation(benchmark::State& state) {
    PrivateSession session;
    if (!session.Ready()) {
        state.SkipWithError("the player did not come up on the bus");
        return;
    }
    for (auto _ : state) {
        BusClient client(session.bus());
        const QString playlist = client.Object(QStringLiteral("Playlist"));
        // One call at a time: each waits for the bus's round trip through the daemon.
        constexpr int kRoundTrips = 5000;
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < kRoundTrips; ++i) {
            client.Call(playlist, QStringLiteral("Count"));
        }
        state.counters["automation_roundtrip_calls_per_s:calls/s"] =
            kRoundTrips / (clock.nsecsElapsed() / 1e9);

        // What the player serves when a client keeps calls in flight, as tavictl add does.
        constexpr int kCalls = 20000;
        const QList<QVariantList> noArguments(kCalls);
        clock.restart();
        client.CallEach(playlist, QStringLiteral("Count"), noArguments);
        state.counters["automation_calls_per_s:calls/s"] = kCalls / (clock.nsecsElapsed() / 1e9);

        constexpr int kAdds = 10000;
        QList<QVariantList> files;
        for (int i = 0; i < kAdds; ++i) {
            files.append({QStringLiteral("/music/%1.mp3").arg(i)});
        }
        clock.restart();
        client.CallEach(playlist, QStringLiteral("Add"), files);
        state.counters["automation_add_10k_ms:ms"] = clock.nsecsElapsed() / 1e6;
        if (client.Call(playlist, QStringLiteral("Count")).toInt() != kAdds) {
            state.SkipWithError("the list does not hold every entry added");
            return;
        }

        CreateAndLeave(session, 10000);  // the allocator's pools grow to their working size first
        const long before = session.ResidentKb();
        CreateAndLeave(session, 100000);
        state.counters["automation_leak_kb:kB"] = double(session.ResidentKb() - before);
    }
}
BENCHMARK(counters_automation)->Iterations(1)->Unit(benchmark::kMillisecond);
