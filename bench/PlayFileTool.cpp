// Plays one file to its end through the player's media engine and exits: what the player
// itself spends on playing, without its window. Used by play_cpu_ratio.sh.
#include "QuitAtEnd.h"
#include "engines/CMediaTrackCallback.h"
#include "engines/TrackFactory.h"

#include <QCoreApplication>

#include <cstdio>

using tavi::bench::QuitAtEnd;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FILE\n", argv[0]);
        return 2;
    }
    QuitAtEnd owner;
    const QString file = QString::fromLocal8Bit(argv[1]);
    try {
        auto track = tavi::engines::CreateTrackForFile(file, &owner);
        track->Open(file);
        track->Play();
        return QCoreApplication::exec();
    } catch (const tavi::errors::CException& error) {
        std::fprintf(stderr, "%s\n", qPrintable(error.GetErrorMessage()));
        return 1;
    }
}
