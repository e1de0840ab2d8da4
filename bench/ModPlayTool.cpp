// Module music as mod_ms.sh measures it, through the module library built with the program.
//   tavi_mod_play --write FILE SECONDS   writes a busy 4-channel MOD of about that length
//   tavi_mod_play --open FILE            prints the median milliseconds, of 20 opens, from the
//                                        start of Open to the first sound handed to the output
//   tavi_mod_play FILE                   plays the file to its end through CModTrack
#include "QuitAtEnd.h"
#include "engines/CMediaTrackCallback.h"
#include "engines/mod/CModTrack.h"
#include "engines/mod/CNPModDll.h"
#include "engines/mod/ModOutputHost.h"
#include "npmod32/NpmodHost.h"
#include "support/ModuleFiles.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>

#include <dlfcn.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <vector>

namespace {

using tavi::bench::QuitAtEnd;

// The program's own output table, noting when the first sound is handed to it.
std::atomic<bool> g_written = false;
TaviModHost g_timedHost;

int TimedWrite(void* output, const float* samples, size_t frames) {
    g_written = true;
    return tavi::engines::ModOutputHost()->write(output, samples, frames);
}

void AttachTimedHost() {
    g_timedHost = *tavi::engines::ModOutputHost();
    g_timedHost.write = TimedWrite;
    void* library = dlopen(TAVI_NPMOD32_PATH, RTLD_NOW | RTLD_NOLOAD);
    auto attach = library ? reinterpret_cast<TaviAttachModHostFunction>(
                                dlsym(library, TAVI_ATTACH_MOD_HOST_EXPORT))
                          : nullptr;
    if (attach) {
        attach(&g_timedHost);
    }
}

double OpenToFirstSoundMs(const QString& path) {
    tavi::engines::CModTrack track;
    g_written = false;
    QElapsedTimer timer;
    timer.start();
    track.Open(path);
    track.Play();
    while (!g_written && timer.elapsed() < 5000) {
    }
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    track.Close();
    return ms;
}

int PrintOpenTime(const QString& path) {
    AttachTimedHost();
    OpenToFirstSoundMs(path);  // the output starts
    std::vector<double> times;
    for (int i = 0; i < 20; ++i) {
        times.push_back(OpenToFirstSoundMs(path));
    }
    std::sort(times.begin(), times.end());
    std::printf("%.2f\n", (times[9] + times[10]) / 2);
    return 0;
}

int WriteModule(const QString& path, double seconds) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return 1;
    }
    const int rows = std::clamp(int(seconds / 0.12), 1, 64 * 64);
    file.write(tavi::test::ModFile(rows, 6, "Tavi Bench Tune", 512, true));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() == 3 && args[0] == QLatin1String("--write")) {
        return WriteModule(args[1], args[2].toDouble());
    }
    if (!tavi::engines::CNPModDll::Instance().BindFile(QStringLiteral(TAVI_NPMOD32_PATH))) {
        std::fprintf(stderr, "the module library is missing\n");
        return 1;
    }
    try {
        if (args.size() == 2 && args[0] == QLatin1String("--open")) {
            return PrintOpenTime(args[1]);
        }
        if (args.size() != 1) {
            std::fprintf(stderr,
                         "usage: tavi_mod_play [--write FILE SECONDS | --open FILE | FILE]\n");
            return 2;
        }
        QuitAtEnd owner;
        tavi::engines::CModTrack track;
        track.SetCallback(&owner);
        track.Open(args[0]);
        track.Play();
        return QCoreApplication::exec();
    } catch (const tavi::errors::CException& error) {
        std::fprintf(stderr, "%s\n", qPrintable(error.GetErrorMessage()));
        return 1;
    }
}
