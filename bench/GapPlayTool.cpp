// Plays the files given through the player in Normal mode, one entry after the other, and
// exits when the run is over: what gap_ms.sh records to measure the silence between tracks.
//   tavi_gap_play [--tap FILE] FILE...
// --tap writes every sample the shared output plays (32-bit float stereo, 44.1 kHz), for
// outputs that cannot be recorded from outside (the null output).
#include "app/settings/PlayerSettings.h"
#include "engines/player/CPlayer.h"
#include "platform/gst/SharedAudioOutput.h"
#include "support/ListHost.h"

#include <QCoreApplication>
#include <QTimer>

#include <cstdio>
#include <mutex>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    std::FILE* tap = nullptr;
    if (args.size() >= 2 && args[0] == QLatin1String("--tap")) {
        tap = std::fopen(args[1].toLocal8Bit().constData(), "wb");
        args = args.mid(2);
    }
    if (args.isEmpty()) {
        std::fprintf(stderr, "usage: tavi_gap_play [--tap FILE] FILE...\n");
        return 2;
    }
    std::mutex tapMutex;
    if (tap) {
        tavi::gst::SharedAudioOutput::SetTap([&](const float* samples, size_t frames) {
            std::lock_guard lock(tapMutex);
            std::fwrite(samples, sizeof(float) * 2, frames, tap);
        });
    }
    tavi::settings::playerSettings().fadeOut = false;
    tavi::test::ListHost host(args, 0);
    tavi::engines::CPlayer player(host);
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (!player.IsPlaying()) {
            // Let the output's cushion play out before leaving.
            QTimer::singleShot(300, [] { QCoreApplication::exit(0); });
            watch.stop();
        }
    });
    player.PlayCommand();
    watch.start(20);
    const int result = QCoreApplication::exec();
    tavi::gst::SharedAudioOutput::SetTap(nullptr);
    if (tap) {
        std::fclose(tap);
    }
    std::fprintf(stderr, "played %lld tracks, %d opened ahead\n", qlonglong(host.started.size()),
                 player.PreparedTracksUsed());
    return result == 0 && host.started.size() == args.size() ? 0 : 1;
}
