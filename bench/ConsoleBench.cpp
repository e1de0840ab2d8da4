// The output window while a console program floods it: 100 MB, half on each stream. A
// 10-ms timer on the UI thread records its largest lateness; the resident set is sampled
// on each tick; the throughput is the bytes written over the time from start to "finished".
//   BENCH console_flood_latency_ms, console_flood_rss_mb, console_throughput_mb_s
#include "automation/objects/CConsoleBar.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>

#include <algorithm>
#include <cstdio>

using tavi::automation::CConsoleBar;

namespace {

constexpr qint64 kBytesPerStream = 50LL * 1024 * 1024;

double ResidentMb() {
    QFile status(QStringLiteral("/proc/self/status"));
    status.open(QIODevice::ReadOnly);
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) {
            return line.mid(6).trimmed().split(' ').front().toDouble() / 1024.0;
        }
    }
    return 0;
}

// Lines of 100 characters, as a chatty converter writes them; yes(1) makes them faster
// than any reader takes them.
QString FloodParameters() {
    const QString line(99, QLatin1Char('x'));
    return QStringLiteral("-c 'yes %1 | head -c %2 & yes %1 | head -c %2 >&2; wait'")
        .arg(line)
        .arg(kBytesPerStream);
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    CConsoleBar bar;
    bar.resize(800, 300);
    bar.show();
    QElapsedTimer tick;
    double worstLateMs = 0;
    const double baseRss = ResidentMb();
    double peakRss = baseRss;
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        worstLateMs = std::max(worstLateMs, double(tick.nsecsElapsed()) / 1e6 - 10.0);
        peakRss = std::max(peakRss, ResidentMb());
        tick.restart();
    });
    QElapsedTimer clock;
    QTimer::singleShot(0, [&] {
        clock.start();
        tick.start();
        timer.start(10);
        if (!bar.process().StartConsoleProcess(QStringLiteral("/bin/sh"), FloodParameters(),
                                               QString(), false)) {
            QApplication::exit(1);
        }
    });
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (bar.Text().endsWith(QStringLiteral("finished.\n"))) {
            const double seconds = double(clock.nsecsElapsed()) / 1e9;
            std::printf("BENCH console_flood_latency_ms %.1f ms\n", worstLateMs);
            std::printf("BENCH console_flood_rss_mb %.1f MB\n", peakRss - baseRss);
            std::printf("BENCH console_throughput_mb_s %.1f MB/s\n",
                        2.0 * double(kBytesPerStream) / (1024.0 * 1024.0) / seconds);
            std::fflush(stdout);
            QApplication::exit(0);
        }
    });
    poll.start(50);
    return QApplication::exec();
}
