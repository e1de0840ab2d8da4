#include "platform/fs/AtomicFile.h"
#include "platform/fs/AtomicFileWriter.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using tavi::fs::AtomicFile;
using tavi::fs::AtomicFileWriter;

namespace {

QByteArray contents(const QString& path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

QStringList filesIn(const QTemporaryDir& dir) {
    return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
}

TEST(AtomicFileWriter, StreamsAndReplacesOnCommit) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.alb"));
    ASSERT_TRUE(AtomicFile::write(path, "old").ok);
    AtomicFileWriter writer(path);
    ASSERT_TRUE(writer.open());
    writer.write("new ");
    EXPECT_EQ(contents(path), "old") << "nothing changes before the commit";
    writer.write("contents");
    ASSERT_TRUE(writer.commit());
    EXPECT_EQ(contents(path), "new contents");
    EXPECT_EQ(filesIn(dir), QStringList{QStringLiteral("a.alb")});
}

TEST(AtomicFileWriter, WithoutCommitOrWithRefusedRenameTheOldFileStays) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.alb"));
    ASSERT_TRUE(AtomicFile::write(path, "old").ok);
    {
        AtomicFileWriter writer(path);
        ASSERT_TRUE(writer.open());
        writer.write("dropped");
    }
    AtomicFile::setBeforeRenameHook([](const QString&) { return false; });
    AtomicFileWriter refused(path);
    ASSERT_TRUE(refused.open());
    refused.write("refused");
    EXPECT_FALSE(refused.commit());
    AtomicFile::setBeforeRenameHook({});
    EXPECT_EQ(contents(path), "old");
    EXPECT_EQ(filesIn(dir), QStringList{QStringLiteral("a.alb")});
}

TEST(AtomicFileWriter, MissingFolderFailsWithErrno) {
    QTemporaryDir dir;
    AtomicFileWriter writer(dir.filePath(QStringLiteral("none/a.alb")));
    EXPECT_FALSE(writer.open());
    EXPECT_EQ(writer.osError(), ENOENT);
}

}  // namespace
