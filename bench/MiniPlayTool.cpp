// A mini playlist through its engine, for mini_ms.sh:
//   tavi_mini_play --open LIST N   median milliseconds of N opens (reading and measuring)
//   tavi_mini_play LIST            plays the list to its end and exits
#include "QuitAtEnd.h"
#include "engines/CMediaTrackCallback.h"
#include "engines/TrackFactory.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

using tavi::bench::QuitAtEnd;

double MedianOpenMs(const QString& list, int times, QuitAtEnd& owner) {
    std::vector<double> ms;
    for (int i = 0; i < times; ++i) {
        QElapsedTimer timer;
        timer.start();
        auto track = tavi::engines::CreateTrackForFile(list, &owner);
        track->Open(list);
        ms.push_back(double(timer.nsecsElapsed()) / 1e6);
        if (track->GetLength() <= 0.0) {
            throw std::runtime_error("the list measured nothing");
        }
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QuitAtEnd owner;
    try {
        if (argc == 4 && QByteArray(argv[1]) == "--open") {
            std::printf("%.2f\n",
                        MedianOpenMs(QString::fromLocal8Bit(argv[2]), std::atoi(argv[3]), owner));
            return 0;
        }
        if (argc != 2) {
            std::fprintf(stderr, "usage: %s [--open LIST N | LIST]\n", argv[0]);
            return 2;
        }
        const QString list = QString::fromLocal8Bit(argv[1]);
        auto track = tavi::engines::CreateTrackForFile(list, &owner);
        track->Open(list);
        track->Play();
        return QCoreApplication::exec();
    } catch (const tavi::errors::CException& error) {
        std::fprintf(stderr, "%s\n", qPrintable(error.GetErrorMessage()));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
    }
    return 1;
}
