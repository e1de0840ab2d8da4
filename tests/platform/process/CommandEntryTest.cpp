// Command entries start programs without a shell.
#include "platform/process/CommandEntry.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

using namespace tavi::process;

namespace {

QString Script(const QTemporaryDir& dir, const QString& name, const QByteArray& body) {
    const QString path = dir.filePath(name);
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write("#!/bin/sh\n" + body + "\n");
    file.close();
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

bool AppearsSoon(const QString& path) {
    for (int i = 0; i < 200 && !QFile::exists(path); ++i) {
        QThread::msleep(10);
    }
    return QFile::exists(path);
}

}  // namespace

TEST(CommandEntry, ScriptsProgramsAndExecutableFilesAreCommands) {
    QTemporaryDir dir;
    EXPECT_TRUE(IsCommandEntry(QStringLiteral("/x/run.BAT")));
    EXPECT_TRUE(IsCommandEntry(QStringLiteral("/x/a.desktop")));
    EXPECT_TRUE(IsCommandEntry(Script(dir, QStringLiteral("noext"), "true")));
    EXPECT_FALSE(IsCommandEntry(QStringLiteral("/x/song.mp3")));
    EXPECT_FALSE(IsCommandEntry(dir.path())) << "a folder is not run";
    // As every file on a FAT stick is: executable, but a sound, not a program.
    const QString wav = dir.filePath(QStringLiteral("song.wav"));
    QFile media(wav);
    ASSERT_TRUE(media.open(QIODevice::WriteOnly));
    media.write("RIFF\0\0\0\0WAVE");
    media.close();
    media.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_FALSE(IsCommandEntry(wav));
}

TEST(CommandEntry, AnExecutableRunsAsItIsAndMetacharactersInItsNameRunNothingElse) {
    QTemporaryDir dir;
    const QString marker = dir.filePath(QStringLiteral("ran"));
    const QString script =
        Script(dir, QStringLiteral("a;touch pwned.sh"), "touch '" + marker.toUtf8() + "'");
    const QString before = QDir::currentPath();
    QDir::setCurrent(dir.path());
    QString error;
    EXPECT_TRUE(StartCommandEntry(script, &error)) << error.toStdString();
    EXPECT_TRUE(AppearsSoon(marker));
    QThread::msleep(100);
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("pwned.sh"))));
    QDir::setCurrent(before);
}

TEST(CommandEntry, ADesktopFileRunsItsExecLineWithoutFieldCodesAndVariablesExpand) {
    QTemporaryDir dir;
    const QString marker = dir.filePath(QStringLiteral("from desktop"));
    const QString desktop = dir.filePath(QStringLiteral("go.desktop"));
    QFile file(desktop);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(
        "[Desktop Action x]\nExec=false\n[Desktop Entry]\nType=Application\nName=Go\n"
        "Exec=touch \"" +
        marker.toUtf8() + "\" %U\n");
    file.close();
    EXPECT_EQ(*DesktopExecWords(desktop), (QStringList{QStringLiteral("touch"), marker}));
    qputenv("TAVI_TEST_DIR", dir.path().toLocal8Bit());
    QString error;
    EXPECT_TRUE(StartCommandEntry(QStringLiteral("${TAVI_TEST_DIR}/go.desktop"), &error))
        << error.toStdString();
    EXPECT_TRUE(AppearsSoon(marker));
    EXPECT_EQ(ExpandEnvironment(QStringLiteral("%TAVI_TEST_DIR%/a $NO_SUCH_VARIABLE_X")),
              dir.path() + QStringLiteral("/a $NO_SUCH_VARIABLE_X"));
    QString missing;
    EXPECT_FALSE(StartCommandEntry(dir.filePath(QStringLiteral("none.sh")), &missing));
    EXPECT_TRUE(missing.contains(QStringLiteral("No such file"))) << missing.toStdString();
}
