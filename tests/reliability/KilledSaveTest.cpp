// Kills a writer in the middle of saving Tavi's files (playlists in every format, the
// settings hive, the tool list, a rotation, the CD titles), 1,000 times across them.
#include "KilledSaves.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

using tavi::reliability::RunKilledSaves;

TEST(KilledSave, EveryFileIsOldOrNewAndNoLeftoverSurvivesTheNextStart) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const int kills = qEnvironmentVariableIntValue("TAVI_KILL_ITERATIONS") > 0
                          ? qEnvironmentVariableIntValue("TAVI_KILL_ITERATIONS")
                          : 1000;
    const auto report = RunKilledSaves(folder.path(), kills, 20261209);
    EXPECT_EQ(report.kills, kills) << qPrintable(report.firstProblem);
    EXPECT_EQ(report.partialFiles, 0) << qPrintable(report.firstProblem);
    EXPECT_EQ(report.leftovers, 0) << qPrintable(report.firstProblem);
    EXPECT_EQ(report.writerEnded, 0) << qPrintable(report.firstProblem);
    // Kills that all came before the first save would prove nothing.
    EXPECT_EQ(report.kindsNeverNew, 0) << qPrintable(report.firstProblem);
}
