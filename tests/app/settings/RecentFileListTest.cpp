#include "app/settings/AppKey.h"
#include "app/settings/RecentFileList.h"
#include "support/TempRegistry.h"

#include <gtest/gtest.h>

using tavi::settings::RecentFileList;

TEST(RecentFileList, KeepsTenNewestFirstWithoutDuplicates) {
    RecentFileList list;
    for (int i = 0; i < 12; ++i) {
        list.add(QStringLiteral("/lists/%1.alb").arg(i));
    }
    list.add(QStringLiteral("/lists/5.alb"));
    ASSERT_EQ(list.entries().size(), 10);
    EXPECT_EQ(list.entries().first(), QStringLiteral("/lists/5.alb"));
    EXPECT_EQ(list.entries()[1], QStringLiteral("/lists/11.alb"));
    EXPECT_EQ(list.entries().last(), QStringLiteral("/lists/2.alb"));
    EXPECT_EQ(list.entries().count(QStringLiteral("/lists/5.alb")), 1);
}

TEST(RecentFileList, SavedListReadsBackAndShrinkingRemovesOldValues) {
    tavi::test::TempRegistry registry;
    auto appKey = tavi::settings::openApplicationKey(*registry);
    RecentFileList list;
    for (const char* path : {"/a.alb", "/b.m3u", "/c dir"}) {
        list.add(QString::fromUtf8(path));
    }
    list.save(appKey);
    list.remove(0);
    list.save(appKey);
    RecentFileList reread;
    reread.load(appKey);
    EXPECT_EQ(reread.entries(), (QStringList{QStringLiteral("/b.m3u"), QStringLiteral("/a.alb")}));
    EXPECT_EQ(appKey.subKey(QStringLiteral("Recent File List")).valueNames().size(), 2);
}
