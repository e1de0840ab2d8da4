// Starts the real player on the session bus it runs in, sends it a corpus of bad calls, and
// checks that it answered every one, still answers a normal call, and that calls racing a
// Quit end it cleanly. Prints BENCH lines; the exit status is 0 only when nothing broke.
//   tavi_malformed_calls TAVI_BINARY [calls]
#include "MalformedCorpus.h"
#include "automation/dbus/AutomationBus.h"
#include "automation/tavictl/BusClient.h"
#include "support/HeadlessPlayer.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusPendingCall>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>
#include <deque>

using tavi::automation::AutomationBus;
using tavi::automation::BusClient;
using tavi::test::MalformedCorpus;

namespace {

constexpr int kInFlight = 32;
constexpr int kReplyMs = 30000;

// The dispatch objects to aim at, the Application first, and what never to call on each.
QList<MalformedCorpus::Target> Targets(BusClient& client) {
    QList<MalformedCorpus::Target> targets{
        {client.application(), {7, 9, 31, 201, 202, 203, 204, 205, 206}}};
    const QString document = client.Object(QStringLiteral("ActiveDocument"));
    targets.append({client.Object(QStringLiteral("Player")), {}});
    targets.append({client.Object(QStringLiteral("Playlist")), {}});
    targets.append({client.Object(QStringLiteral("Console")), {}});
    targets.append({document, {8, 9, 10, 11}});
    targets.append({client.Object(QStringLiteral("Documents")), {5, 6, 7}});
    targets.append({client.Object(QStringLiteral("Macros")), {11, 12}});
    return targets;
}

// Objects a second client made and released: calls on them must say so, not crash.
QStringList ReleasedPaths() {
    BusClient other(QDBusConnection::sessionBus());
    QStringList paths{other.application(), other.Object(QStringLiteral("Playlist")),
                      other.Object(QStringLiteral("Player"))};
    return paths;  // released when `other` goes
}

// Sends count calls, kInFlight at a time; the number answered (errors included).
int SendCorpus(MalformedCorpus& corpus, int count) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    std::deque<QDBusPendingCall> pending;
    int answered = 0;
    auto settle = [&] {
        QDBusPendingCall call = pending.front();
        pending.pop_front();
        call.waitForFinished();
        const QDBusMessage reply = call.reply();
        answered +=
            reply.type() == QDBusMessage::ReplyMessage ||
            (reply.type() == QDBusMessage::ErrorMessage &&
             reply.errorName() != QLatin1String("org.freedesktop.DBus.Error.NoReply") &&
             reply.errorName() != QLatin1String("org.freedesktop.DBus.Error.ServiceUnknown"));
    };
    for (int i = 0; i < count; ++i) {
        pending.push_back(bus.asyncCall(corpus.Next(), kReplyMs));
        if (int(pending.size()) >= kInFlight) {
            settle();
        }
    }
    while (!pending.empty()) {
        settle();
    }
    return answered;
}

bool CrashText(const QString& output) {
    for (const char* text : {"terminate called", "AddressSanitizer",
                             "runtime error:", "Segmentation fault", "Aborted"}) {
        if (output.contains(QLatin1String(text))) {
            return true;
        }
    }
    return false;
}

// Quit, with calls sent right behind it: the player must end by itself, not by a signal.
bool QuitRacedCleanly(QProcess& player, MalformedCorpus& corpus, BusClient& client) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    // A list the corpus left changed would ask whether to save it: a person's question.
    client.Put(client.Object(QStringLiteral("ActiveDocument")), QStringLiteral("Saved"), true);
    QList<QDBusPendingCall> racing{
        bus.asyncCall(BusClient::InvokeMessage(client.application(), 203, 1, {}))};
    for (int i = 0; i < 300; ++i) {
        racing << bus.asyncCall(corpus.Next(), 5000);
    }
    for (QDBusPendingCall& call : racing) {
        call.waitForFinished();
    }
    if (racing.first().isError()) {
        std::fprintf(stderr, "Quit: %s\n", qPrintable(racing.first().error().message()));
    }
    if (!player.waitForFinished(30000)) {
        player.kill();
        return false;
    }
    return player.exitStatus() == QProcess::NormalExit && player.exitCode() == 0;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    if (argc < 2 || !QDBusConnection::sessionBus().isConnected()) {
        std::fprintf(stderr,
                     "usage: dbus-run-session -- tavi_malformed_calls TAVI_BINARY [calls]\n");
        return 2;
    }
    const int count = argc > 2 ? std::atoi(argv[2]) : 10000;
    QTemporaryDir home;
    QProcess player;
    if (!tavi::test::StartHeadlessPlayer(player, QString::fromLocal8Bit(argv[1]), home.path(),
                                         QProcess::MergedChannels)) {
        std::fprintf(stderr, "the player did not come up on the bus\n");
        return 1;
    }
    int crashes = 0;
    int answered = 0;
    QElapsedTimer clock;
    clock.start();
    try {
        BusClient client(QDBusConnection::sessionBus());
        MalformedCorpus corpus(Targets(client), ReleasedPaths(), 20261209);
        answered = SendCorpus(corpus, count);
        const bool running = player.state() == QProcess::Running;
        crashes += !running;
        // The corpus may have released the first client's objects, as a client may.
        BusClient fresh(QDBusConnection::sessionBus());
        const int entries =
            running ? fresh.Call(fresh.Object(QStringLiteral("Playlist")), QStringLiteral("Count"))
                          .toInt()
                    : -1;
        std::printf("after %d bad calls the player %s (playlist count %d)\n", count,
                    running ? "still answers" : "is gone", entries);
        crashes += running && !QuitRacedCleanly(player, corpus, fresh);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "a normal call failed: %s\n", error.what());
        ++crashes;
    }
    player.waitForFinished(10000);
    const QString output = QString::fromLocal8Bit(player.readAll());
    crashes += CrashText(output);
    if (crashes) {
        std::fprintf(stderr, "%s\n", qPrintable(output.right(4000)));
    }
    std::printf("BENCH malformed_calls_sent %d calls\n", count);
    std::printf("BENCH malformed_calls_unanswered %d calls\n", count - answered);
    std::printf("BENCH malformed_calls_crashes %d\n", crashes);
    std::printf("BENCH malformed_calls_s %.1f s\n", double(clock.elapsed()) / 1000.0);
    return crashes == 0 && answered == count ? 0 : 1;
}
