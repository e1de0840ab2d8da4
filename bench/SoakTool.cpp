// Hours of use in minutes: the real player, headless on the null output, plays a list of
// 1,000 entries of every kind in Normal mode while Next, Previous, Play/Pause and Seek come
// over the bus at random every 100 ms. Resident memory, threads and open files are taken
// with the player stopped after the first 100 entries and again at the end.
//   dbus-run-session -- tavi_soak TAVI_BINARY MP3_FILE [entries]
#include "automation/dbus/AutomationBus.h"
#include "automation/tavictl/BusClient.h"
#include "support/HeadlessPlayer.h"
#include "support/MidiFiles.h"
#include "support/ModuleFiles.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>

using tavi::automation::AutomationBus;
using tavi::automation::BusClient;

namespace {

struct Usage {
    double rssMib = 0;
    int threads = 0;
    int files = 0;
};

Usage UsageOf(qint64 pid) {
    Usage usage;
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : status.readAll().split('\n')) {
            if (line.startsWith("VmRSS:")) {
                usage.rssMib = line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
            } else if (line.startsWith("Threads:")) {
                usage.threads = line.mid(8).trimmed().toInt();
            }
        }
    }
    usage.files = int(QDir(QStringLiteral("/proc/%1/fd").arg(pid)).entryList(QDir::System).size());
    return usage;
}

QByteArray OneSecondWave() {
    constexpr int kRate = 44100;
    QByteArray samples;
    for (int i = 0; i < kRate; ++i) {
        const auto value = int16_t(8000 * std::sin(2 * M_PI * 440 * i / kRate));
        samples.append(reinterpret_cast<const char*>(&value), 2);
    }
    using tavi::test::LittleEndian;
    return "RIFF" + LittleEndian(uint32_t(36 + samples.size()), 4) + "WAVEfmt " +
           LittleEndian(16, 4) + LittleEndian(1, 2) + LittleEndian(1, 2) + LittleEndian(kRate, 4) +
           LittleEndian(kRate * 2, 4) + LittleEndian(2, 2) + LittleEndian(16, 2) + "data" +
           LittleEndian(uint32_t(samples.size()), 4) + samples;
}

// The list: pauses, WAVs, MP3s, a module, a MIDI file and a mini playlist, in turn.
QString WriteList(const QDir& folder, const QString& mp3, int entries) {
    tavi::test::WriteBytes(folder.filePath(QStringLiteral("tone.wav")), OneSecondWave());
    tavi::test::WriteBytes(folder.filePath(QStringLiteral("tune.mod")), tavi::test::ModFile(16, 3));
    tavi::test::WriteBytes(folder.filePath(QStringLiteral("song.mid")), tavi::test::Type0Midi());
    tavi::test::WriteBytes(folder.filePath(QStringLiteral("mini.m3u")), "tone.wav\n1.pause\n");
    const QStringList kinds = {QStringLiteral("1.pause"),
                               folder.filePath(QStringLiteral("tone.wav")),
                               mp3,
                               folder.filePath(QStringLiteral("tune.mod")),
                               folder.filePath(QStringLiteral("tone.wav")),
                               folder.filePath(QStringLiteral("song.mid")),
                               folder.filePath(QStringLiteral("mini.m3u")),
                               mp3};
    QByteArray text;
    for (int i = 0; i < entries; ++i) {
        text += QFile::encodeName(kinds[i % kinds.size()]) + '\n';
    }
    const QString list = folder.filePath(QStringLiteral("soak.m3u"));
    tavi::test::WriteBytes(list, text);
    return list;
}

void Mpris(const QString& member, const QVariantList& arguments = {}) {
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.mpris.MediaPlayer2.tavi"), QStringLiteral("/org/mpris/MediaPlayer2"),
        QStringLiteral("org.mpris.MediaPlayer2.Player"), member);
    call.setArguments(arguments);
    QDBusConnection::sessionBus().call(call, QDBus::Block, 10000);
}

// One random command, as a restless listener gives them.
void RandomCommand(std::mt19937& random) {
    const int pick = std::uniform_int_distribution<int>(0, 99)(random);
    if (pick < 45) {
        Mpris(QStringLiteral("Next"));
    } else if (pick < 60) {
        Mpris(QStringLiteral("Previous"));
    } else if (pick < 75) {
        Mpris(QStringLiteral("PlayPause"));
    } else {
        Mpris(QStringLiteral("Seek"), {QVariant::fromValue(qlonglong(300000))});
    }
}

Usage SettledUsage(BusClient& client, const QString& player, qint64 pid) {
    client.Call(player, QStringLiteral("Stop"));
    QThread::msleep(2000);
    return UsageOf(pid);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    if (argc < 3 || !QDBusConnection::sessionBus().isConnected()) {
        std::fprintf(stderr, "usage: dbus-run-session -- tavi_soak TAVI_BINARY MP3 [entries]\n");
        return 2;
    }
    const int entries = argc > 3 ? std::atoi(argv[3]) : 1000;
    QTemporaryDir work;
    const QString list = WriteList(QDir(work.path()), QString::fromLocal8Bit(argv[2]), entries);
    QProcess process;
    if (!tavi::test::StartHeadlessPlayer(process, QString::fromLocal8Bit(argv[1]), work.path(),
                                         QProcess::ForwardedErrorChannel)) {
        std::fprintf(stderr, "the player did not come up on the bus\n");
        return 1;
    }
    const qint64 pid = process.processId();
    QElapsedTimer clock;
    clock.start();
    try {
        BusClient client(QDBusConnection::sessionBus());
        const QString playlist = client.Object(QStringLiteral("Playlist"));
        const QString player = client.Object(QStringLiteral("Player"));
        client.Call(playlist, QStringLiteral("Load"), {list});
        client.Put(player, QStringLiteral("Mode"), QStringLiteral("NORMAL"));
        client.Call(player, QStringLiteral("Play"));
        std::mt19937 random(20261209);
        Usage early;
        QString playing;
        int played = 0;
        while (played < entries && process.state() == QProcess::Running) {
            QThread::msleep(100);
            RandomCommand(random);
            const QString now = client.Call(player, QStringLiteral("FileName")).toString();
            if (now != playing) {
                playing = now;
                ++played;
                if (played ==
                    std::min(100, std::max(1, entries / 10))) {  // a short run: its first tenth
                    early = SettledUsage(client, player, pid);
                    client.Call(player, QStringLiteral("Play"));
                }
            }
            if (client.Call(player, QStringLiteral("Status")).toString() == u"STOP") {
                client.Call(player, QStringLiteral("Play"));  // the end of the list
            }
        }
        const Usage late = SettledUsage(client, player, pid);
        std::printf("early: %.1f MiB, %d threads, %d files; late: %.1f MiB, %d threads, %d files\n",
                    early.rssMib, early.threads, early.files, late.rssMib, late.threads,
                    late.files);
        std::printf("BENCH soak_entries %d entries\n", played);
        std::printf("BENCH soak_s %.0f s\n", double(clock.elapsed()) / 1000.0);
        std::printf("BENCH soak_rss_growth_mb %.1f MB\n", late.rssMib - early.rssMib);
        std::printf("BENCH soak_fd_growth %d\n", late.files - early.files);
        std::printf("BENCH soak_thread_growth %d\n", late.threads - early.threads);
        client.Put(client.Object(QStringLiteral("ActiveDocument")), QStringLiteral("Saved"), true);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "a call failed: %s\n", error.what());
        process.kill();
        return 1;
    }
    process.terminate();
    process.waitForFinished(10000);
    return 0;
}
