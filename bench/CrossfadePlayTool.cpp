// Plays two files through the player with a crossfade between them on the null output and
// measures the process's CPU time (every thread) over two spans of the same length: one
// track playing alone, and the crossfade, two tracks decoding and mixed. What
// crossfade_cpu.sh divides.
//   tavi_crossfade_play SECONDS FILE FILE
// Prints "single <cpu s> <wall s>" and "crossfade <cpu s> <wall s>".
#include "app/settings/PlaybackSettings.h"
#include "app/settings/PlayerSettings.h"
#include "engines/player/CPlayer.h"
#include "support/ListHost.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdio>
#include <ctime>

namespace {

double CpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

// CPU and wall time from a start to an end.
struct Span {
    double cpuStart = -1;
    double wallStart = 0;
    double cpu = -1;
    double wall = 0;
    void Begin(const QElapsedTimer& clock) {
        cpuStart = CpuSeconds();
        wallStart = clock.elapsed() / 1000.0;
    }
    void End(const QElapsedTimer& clock) {
        cpu = CpuSeconds() - cpuStart;
        wall = clock.elapsed() / 1000.0 - wallStart;
    }
    bool Running() const { return cpuStart >= 0 && cpu < 0; }
};

// The single span starts this far into the first track, past its open.
constexpr double kSettleSeconds = 3.0;

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: tavi_crossfade_play SECONDS FILE FILE\n");
        return 2;
    }
    const double seconds = args[0].toDouble();
    tavi::settings::playerSettings().fadeOut = false;
    tavi::settings::PlaybackSettings& playback = tavi::settings::playbackSettings();
    playback.crossfadeAuto = true;
    playback.crossfadeMs = uint32_t(seconds * 1000);
    playback.Clamp();
    tavi::test::ListHost host(args.mid(1), 0);
    tavi::engines::CPlayer player(host);
    QElapsedTimer clock;
    Span single;
    Span crossfade;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        const double now = clock.elapsed() / 1000.0;
        if (single.cpuStart < 0 && now >= kSettleSeconds) {
            single.Begin(clock);
        } else if (single.Running() && now - single.wallStart >= seconds) {
            single.End(clock);
        }
        if (crossfade.cpuStart < 0 && player.FadingOutTrack()) {
            crossfade.Begin(clock);
        } else if (crossfade.Running() && !player.FadingOutTrack()) {
            crossfade.End(clock);
        }
        if (!player.IsPlaying()) {
            QCoreApplication::exit(0);
        }
    });
    clock.start();
    player.PlayCommand();
    watch.start(100);  // coarse: the tool itself should cost next to nothing
    QCoreApplication::exec();
    if (single.cpu < 0 || crossfade.cpu < 0) {
        std::fprintf(stderr, "no crossfade measured (%d started)\n", player.CrossfadesStarted());
        return 1;
    }
    std::printf("single %.4f %.4f\ncrossfade %.4f %.4f\n", single.cpu, single.wall, crossfade.cpu,
                crossfade.wall);
    return 0;
}
