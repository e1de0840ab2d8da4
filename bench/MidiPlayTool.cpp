// The sequencer device as midi_ms.sh measures it, with TimGM6mb as the default SoundFont.
//   tavi_midi_play FILE          plays the file to its end through CMidiTrack
//   tavi_midi_play --open FILE   prints the milliseconds from the start of the first open to
//                                its first sound queued (the SoundFont loaded on the way),
//                                then the median of 20 more opens with the font loaded
#include "QuitAtEnd.h"
#include "engines/CMediaTrackCallback.h"
#include "engines/midi/CMidiTrack.h"
#include "platform/mci/midi/SequencerSynths.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

using tavi::bench::QuitAtEnd;

// From the start of Open to the first sound written to the output (the position moves).
double OpenToFirstSoundMs(const QString& path) {
    tavi::engines::CMidiTrack track;
    QElapsedTimer timer;
    timer.start();
    track.Open(path);
    track.Play();
    while (track.GetPosition() <= 0.0 && timer.elapsed() < 5000) {
    }
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    track.Close();
    return ms;
}

void PrintOpenTimes(const QString& path) {
    const double first = OpenToFirstSoundMs(path);
    std::vector<double> times;
    for (int i = 0; i < 20; ++i) {
        times.push_back(OpenToFirstSoundMs(path));
    }
    std::sort(times.begin(), times.end());
    std::printf("%.2f %.2f\n", first, (times[9] + times[10]) / 2);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    tavi::mci::SequencerSynths::Instance().SetSystemSoundFonts(
        {QStringLiteral("/usr/share/sounds/sf2/TimGM6mb.sf2")});
    try {
        if (args.size() == 2 && args[0] == QLatin1String("--open")) {
            PrintOpenTimes(args[1]);
            return 0;
        }
        if (args.size() != 1) {
            std::fprintf(stderr, "usage: tavi_midi_play [--open] FILE\n");
            return 2;
        }
        QuitAtEnd owner;
        tavi::engines::CMidiTrack track;
        track.SetCallback(&owner);
        track.Open(args[0]);
        track.Play();
        return QCoreApplication::exec();
    } catch (const tavi::errors::CException& error) {
        std::fprintf(stderr, "%s\n", qPrintable(error.GetErrorMessage()));
        return 1;
    }
}
