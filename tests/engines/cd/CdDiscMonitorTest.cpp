#include "engines/cd/CCdDatabase.h"
#include "engines/cd/CdDiscMonitor.h"
#include "engines/cd/CdServices.h"
#include "support/CdImage.h"
#include "support/QtApp.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tavi::engines;
using tavi::test::processEventsUntil;

namespace {

// How often a signal came.
struct Count {
    template <typename Signal>
    Count(CdDiscMonitor* monitor, Signal signal) {
        QObject::connect(monitor, signal, [this] { ++value; });
    }
    int count() const { return value; }
    int value = 0;
};

class CdDiscMonitorTest : public testing::Test {
protected:
    CdDiscMonitorTest() : m_database(m_dir.filePath(QStringLiteral("Kestrova/cdplayer.ini"))) {
        tavi::test::coreApplication();
    }
    ~CdDiscMonitorTest() override { qunsetenv("TAVI_CD_DRIVE"); }

    QTemporaryDir m_dir;
    CCdDatabase m_database;
};

}  // namespace

// A disc image stands for the drive: writing another image over it is a new disc, and
// removing it a disc that left. Each is noticed by the periodic check, identified on the
// worker and registered; the same disc again changes nothing.
TEST_F(CdDiscMonitorTest, ADiscArrivingChangingAndLeavingIsNoticed) {
    auto image = std::make_unique<tavi::test::CdImage>(m_dir.path(), std::vector<int>{75, 90});
    qputenv("TAVI_CD_DRIVE", image->Drive().toLocal8Bit());
    CdDiscMonitor monitor(image->Drive(), m_database);
    Count changed(&monitor, &CdDiscMonitor::discChanged);
    Count probed(&monitor, &CdDiscMonitor::discProbed);
    monitor.Start(20);
    EXPECT_FALSE(monitor.WatchesWithUdev());  // an image has no udev events
    ASSERT_TRUE(processEventsUntil([&] { return changed.count() == 1; }, 5000));
    const uint32_t first = cd::IdentifyCdInDrive();
    EXPECT_EQ(m_database.Identity(), first);
    EXPECT_EQ(m_database.GetTrackCount(), 2);
    EXPECT_EQ(m_database.GetArtist(), QStringLiteral("New Artist"));

    monitor.Identify();  // the same disc
    ASSERT_TRUE(processEventsUntil([&] { return probed.count() == 2; }, 5000));
    EXPECT_EQ(changed.count(), 1);

    image = std::make_unique<tavi::test::CdImage>(m_dir.path(), std::vector<int>{100, 50, 30});
    ASSERT_TRUE(processEventsUntil([&] { return changed.count() == 2; }, 5000));
    EXPECT_NE(m_database.Identity(), first);
    EXPECT_EQ(m_database.GetTrackCount(), 3);
    EXPECT_EQ(m_database.GetTrackName(2), QStringLiteral("Track 03"));

    ASSERT_TRUE(QFile::remove(image->Drive()));
    ASSERT_TRUE(processEventsUntil([&] { return changed.count() == 3; }, 5000));
    EXPECT_FALSE(m_database.HasDisc());
    EXPECT_EQ(m_database.GetTrackName(0), QStringLiteral("Track 01"));
}

// With the periodic check off a new disc goes unseen; a single check, or the check resumed,
// sees it at once.
TEST_F(CdDiscMonitorTest, APausedCheckSeesNothingUntilAskedOrResumed) {
    auto image = std::make_unique<tavi::test::CdImage>(m_dir.path(), std::vector<int>{75, 90});
    qputenv("TAVI_CD_DRIVE", image->Drive().toLocal8Bit());
    CdDiscMonitor monitor(image->Drive(), m_database);
    Count changed(&monitor, &CdDiscMonitor::discChanged);
    monitor.Start(20);
    ASSERT_TRUE(processEventsUntil([&] { return changed.count() == 1; }, 5000));
    monitor.SetChecking(false);

    image = std::make_unique<tavi::test::CdImage>(m_dir.path(), std::vector<int>{100, 50, 30});
    EXPECT_FALSE(processEventsUntil([&] { return changed.count() == 2; }, 300));
    monitor.CheckNow();
    ASSERT_TRUE(processEventsUntil([&] { return changed.count() == 2; }, 5000));
    EXPECT_EQ(m_database.GetTrackCount(), 3);

    ASSERT_TRUE(QFile::remove(image->Drive()));
    EXPECT_FALSE(processEventsUntil([&] { return changed.count() == 3; }, 300));
    monitor.SetChecking(true);
    ASSERT_TRUE(processEventsUntil([&] { return changed.count() == 3; }, 5000));
    EXPECT_FALSE(m_database.HasDisc());
}

// Probes asked for while one runs end in one more probe, and a monitor that goes while its
// probe runs receives nothing.
TEST_F(CdDiscMonitorTest, ProbesAreCoalescedAndOutlivedSafely) {
    tavi::test::CdImage image(m_dir.path(), {75});
    qputenv("TAVI_CD_DRIVE", image.Drive().toLocal8Bit());
    {
        CdDiscMonitor monitor(image.Drive(), m_database);
        Count probed(&monitor, &CdDiscMonitor::discProbed);
        monitor.Start();
        monitor.Identify();
        monitor.Identify();
        ASSERT_TRUE(processEventsUntil([&] { return !monitor.IsProbing(); }, 5000));
        EXPECT_EQ(probed.count(), 1);
        EXPECT_TRUE(m_database.HasDisc());
    }
    CCdDatabase other(m_dir.filePath(QStringLiteral("other.ini")));
    {
        auto monitor = std::make_unique<CdDiscMonitor>(image.Drive(), other);
        monitor->Start();
    }
    tavi::test::processEventsFor(300);
    EXPECT_FALSE(other.HasDisc());
    // Without a drive, the disc is none at once.
    CdDiscMonitor none(QString(), m_database);
    Count changed(&none, &CdDiscMonitor::discChanged);
    none.Start();
    ASSERT_TRUE(processEventsUntil([&] { return changed.count() == 1; }, 5000));
    EXPECT_FALSE(m_database.HasDisc());
}
