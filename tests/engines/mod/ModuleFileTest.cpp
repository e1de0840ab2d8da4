// Reading module files: zip-compressed modules are unpacked in memory, within a limit.
#include "npmod32/ModuleFile.h"
#include "support/ModuleFiles.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <sys/stat.h>

using npmod::ReadModuleFile;
using npmod::UnpackModule;

namespace {

std::vector<uint8_t> Bytes(const QByteArray& bytes) {
    return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

std::optional<std::vector<uint8_t>> Unpack(const QByteArray& bytes) {
    return UnpackModule(Bytes(bytes));
}

}  // namespace

TEST(ModuleFile, ZipArchivesOfEveryKindUnpackToTheirModule) {
    const QByteArray mod = tavi::test::ModFile(9);
    const QByteArray directory = tavi::test::ZipOf(QByteArray(), "songs/", false);
    const QByteArray zips[] = {
        tavi::test::ZipOf(mod, "a.mod"),              // deflated
        tavi::test::ZipOf(mod, "a.mod", false),       // stored
        tavi::test::ZipOf(mod, "a.mod", true, true),  // sizes after the data
        directory + tavi::test::ZipOf(mod, "songs/a.mod"),
    };
    for (const QByteArray& zip : zips) {
        const auto module = Unpack(zip);
        ASSERT_TRUE(module);
        EXPECT_EQ(*module, Bytes(mod));
    }
    EXPECT_EQ(*Unpack(mod), Bytes(mod)) << "a module that is no archive is itself";
}

TEST(ModuleFile, DamagedAndOversizedArchivesAreRefused) {
    const QByteArray mod = tavi::test::ModFile(9);
    const QByteArray zip = tavi::test::ZipOf(mod, "a.mod");
    QByteArray badCrc = zip;
    badCrc[14] = char(badCrc[14] ^ 1);
    QByteArray packedBeyondEnd = zip;
    packedBeyondEnd[21] = char(0x7F);
    QByteArray damagedStream = zip;
    for (int i = 40; i < 60; ++i) {
        damagedStream[i] = char(0xFF);
    }
    QByteArray unknownMethod = zip;
    unknownMethod[8] = 14;
    const QByteArray bomb = tavi::test::ZipOf(QByteArray(80 * 1024 * 1024, '\0'), "bomb.mod");
    const QByteArray bombWithoutSizes =
        tavi::test::ZipOf(QByteArray(80 * 1024 * 1024, '\0'), "bomb.mod", true, true);
    QByteArray manyDirectories;
    for (int i = 0; i < 100; ++i) {
        manyDirectories += tavi::test::ZipOf(QByteArray(), "d/", false);
    }
    manyDirectories += zip;
    for (const QByteArray& bad :
         {QByteArray(), zip.left(29), zip.left(zip.size() - 20), badCrc, packedBeyondEnd,
          damagedStream, unknownMethod, bomb, bombWithoutSizes, manyDirectories}) {
        EXPECT_FALSE(Unpack(bad)) << bad.size();
    }
    EXPECT_LT(bomb.size(), 1024 * 1024) << "a bomb is small";
}

TEST(ModuleFile, OnlyRegularFilesWithinTheLimitAreRead) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("fifo.mod"));
    ASSERT_EQ(mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    EXPECT_FALSE(ReadModuleFile(fifo.toStdString())) << "read without blocking";
    EXPECT_FALSE(ReadModuleFile(dir.path().toStdString()));
    EXPECT_FALSE(ReadModuleFile(dir.filePath(QStringLiteral("none.mod")).toStdString()));
    const QString big = dir.filePath(QStringLiteral("big.mod"));
    QFile file(big);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.resize(qint64(npmod::kMaxModuleBytes) + 1));
    file.close();
    EXPECT_FALSE(ReadModuleFile(big.toStdString()));
    const QString zipped = dir.filePath(QStringLiteral("a.mdz"));
    QFile archive(zipped);
    ASSERT_TRUE(archive.open(QIODevice::WriteOnly));
    archive.write(tavi::test::ZipOf(tavi::test::ModFile(9), "a.mod"));
    archive.close();
    const auto module = ReadModuleFile(zipped.toStdString());
    ASSERT_TRUE(module);
    EXPECT_EQ(*module, Bytes(tavi::test::ModFile(9)));
}
