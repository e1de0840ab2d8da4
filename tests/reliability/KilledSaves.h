#pragma once

#include <QString>

#include <cstdint>

namespace tavi::reliability {

// Kills a writer of Tavi's files with SIGKILL at random moments, over and over, each kind of
// file in turn: after every kill the file must hold the old or the new version, and after
// the next start nothing of the killed save may be left beside it.
struct KilledSavesReport {
    int kills = 0;
    int partialFiles = 0;   // neither version
    int leftovers = 0;      // files beside it after the next start
    int writerEnded = 0;    // the writer stopped by itself (it loops until killed)
    int killsAfterNew = 0;  // kills that found the newer version: the kills hit real saves
    int kindsNeverNew = 0;  // kinds whose new version never showed
    QString firstProblem;
};

// folder: an empty folder to work in. Runs in this process's forks: call it before any
// thread is started.
KilledSavesReport RunKilledSaves(const QString& folder, int kills, uint32_t seed);

}  // namespace tavi::reliability
