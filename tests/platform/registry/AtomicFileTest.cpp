#include "platform/fs/AtomicFile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>

using tavi::fs::AtomicFile;

namespace {
QByteArray contents(const QString& path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}
}  // namespace

TEST(AtomicFile, ReplacesContentsAndKeepsPermissions) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("settings.reg"));
    ASSERT_TRUE(AtomicFile::write(path, "first").ok);
    ::chmod(QFile::encodeName(path).constData(), 0600);
    ASSERT_TRUE(AtomicFile::write(path, "second").ok);
    EXPECT_EQ(contents(path), "second");
    struct stat info {};
    ::stat(QFile::encodeName(path).constData(), &info);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}

TEST(AtomicFile, AbandonedWriteLeavesOldFileAndNoTemporary) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("list.alb"));
    ASSERT_TRUE(AtomicFile::write(path, "old").ok);
    const auto result = AtomicFile::write(path, "new", [](const QString&) { return false; });
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.error.isEmpty());
    EXPECT_EQ(contents(path), "old");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("list.alb")});
}

TEST(AtomicFile, MissingFolderIsAnError) {
    QTemporaryDir dir;
    const auto result = AtomicFile::write(dir.filePath(QStringLiteral("no/such/file")), "x");
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.error.isEmpty());
}
