#include "platform/fs/FolderOrder.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>

using tavi::fs::NaturalOrder;

namespace {

QStringList namesOf(const QFileInfoList& entries) {
    QStringList names;
    for (const QFileInfo& info : entries) {
        names.append(info.fileName());
    }
    return names;
}

void touch(const QString& path) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << qPrintable(path);
}

TEST(NaturalOrder, NumbersCountByValueAndCaseDoesNotMatter) {
    for (const QLocale& locale : {QLocale::c(), QLocale(QLocale::German, QLocale::Germany),
                                  QLocale(QLocale::English, QLocale::UnitedKingdom)}) {
        const NaturalOrder order(locale);
        const QString name = locale.name();
        EXPECT_TRUE(order(QStringLiteral("2 x"), QStringLiteral("10 x"))) << qPrintable(name);
        EXPECT_FALSE(order(QStringLiteral("10 x"), QStringLiteral("2 x"))) << qPrintable(name);
        EXPECT_TRUE(order(QStringLiteral("a"), QStringLiteral("B"))) << qPrintable(name);
        EXPECT_TRUE(order(QStringLiteral("track 9.mp3"), QStringLiteral("Track 10.mp3")))
            << qPrintable(name);
        EXPECT_GT(order.Compare(QStringLiteral("a10"), QStringLiteral("a9b")), 0)
            << qPrintable(name);
        // Names the collation takes as equal still come out in one order.
        const int sevens = order.Compare(QStringLiteral("7"), QStringLiteral("007"));
        EXPECT_NE(sevens, 0) << qPrintable(name);
        EXPECT_EQ(sevens, -order.Compare(QStringLiteral("007"), QStringLiteral("7")));
        EXPECT_EQ(order.Compare(QStringLiteral("x"), QStringLiteral("x")), 0);
    }
    // Letters with accents sort beside their base letter, not after "z".
    const NaturalOrder german(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_TRUE(german(QStringLiteral("Äpfel"), QStringLiteral("Birnen")));
}

TEST(FolderOrder, FilesCreatedInShuffledOrderAreListedByNumberWithFoldersAmongThem) {
    QTemporaryDir dir;
    QStringList expected;
    for (int i = 1; i <= 12; ++i) {
        expected.append(
            QStringLiteral("%1 %2.mp3").arg(i, 2, 10, QLatin1Char('0')).arg(QChar(u'a' + i - 1)));
    }
    expected.insert(7, QStringLiteral("08 h-bonus"));  // a folder sorts among the files
    QStringList created = expected;
    std::shuffle(created.begin(), created.end(), *QRandomGenerator::global());
    for (const QString& name : created) {
        if (name.endsWith(QLatin1String("bonus"))) {
            ASSERT_TRUE(QDir(dir.path()).mkdir(name));
        } else {
            touch(dir.filePath(name));
        }
    }
    EXPECT_EQ(namesOf(tavi::fs::SortedEntries(dir.path(), QDir::AllEntries | QDir::NoDotAndDotDot)),
              expected);
    EXPECT_EQ(namesOf(tavi::fs::SortedEntries(dir.path(), QDir::Files)).size(), 12)
        << "the filters apply";
}

TEST(FolderOrder, PathsSortByFolderThenName) {
    QStringList paths{QStringLiteral("/m/b/10 x.mp3"), QStringLiteral("/m/a/2 y.mp3"),
                      QStringLiteral("/m/b/2 x.mp3"), QStringLiteral("/m/a/10 y.mp3")};
    tavi::fs::SortPaths(paths);
    EXPECT_EQ(paths,
              (QStringList{QStringLiteral("/m/a/2 y.mp3"), QStringLiteral("/m/a/10 y.mp3"),
                           QStringLiteral("/m/b/2 x.mp3"), QStringLiteral("/m/b/10 x.mp3")}));
}

}  // namespace
