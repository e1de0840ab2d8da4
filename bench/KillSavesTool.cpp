// The kill test as a figure: kills a writer of every kind of Tavi's files at random moments
// and counts the files found neither old nor new, and what was left beside them.
//   tavi_kill_saves [kills]
#include "KilledSaves.h"

#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    const int kills = argc > 1 ? std::atoi(argv[1]) : 1000;
    QTemporaryDir folder;
    const auto report = tavi::reliability::RunKilledSaves(folder.path(), kills, 20261209);
    if (!report.firstProblem.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(report.firstProblem));
    }
    std::printf("BENCH crash_safety_kills %d kills\n", report.kills);
    std::printf("BENCH crash_safety_kills_after_new %d kills\n", report.killsAfterNew);
    std::printf("BENCH crash_safety_partial_files %d\n", report.partialFiles);
    std::printf("BENCH crash_safety_leftover_files %d\n", report.leftovers);
    return report.partialFiles == 0 && report.leftovers == 0 && report.kills == kills ? 0 : 1;
}
