// Opens and plays a CD track the way the player does, for cd_ms.sh:
//   tavi_cd_play --open ENTRY   prints the median milliseconds of 20 opens of ENTRY (a
//                               ".cda" entry of the drive TAVI_CD_DRIVE names) to its first
//                               sound written to the output
#include "engines/cd/CCDTrack.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double OpenToFirstSoundMs(const QString& entry) {
    std::vector<double> times;
    for (int i = 0; i < 20; ++i) {
        tavi::engines::CCDTrack track;
        QElapsedTimer timer;
        timer.start();
        track.Open(entry);
        track.Play();
        while (track.GetPosition() <= 0.0 && timer.elapsed() < 5000) {
        }
        if (track.GetPosition() <= 0.0) {
            return -1;
        }
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
        track.Close();
    }
    std::sort(times.begin(), times.end());
    return (times[9] + times[10]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() != 2 || args[0] != QLatin1String("--open")) {
        std::fprintf(stderr, "usage: tavi_cd_play --open ENTRY\n");
        return 2;
    }
    try {
        const double ms = OpenToFirstSoundMs(args[1]);
        if (ms < 0) {
            std::fprintf(stderr, "no sound within 5 s\n");
            return 1;
        }
        std::printf("%.2f\n", ms);
    } catch (const tavi::errors::CException& e) {
        std::fprintf(stderr, "error: %s\n", qPrintable(e.GetErrorMessage()));
        return 1;
    }
    return 0;
}
