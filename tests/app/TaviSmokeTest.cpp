#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <csignal>

namespace {

QProcessEnvironment isolatedEnvironment(const QTemporaryDir& home) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("HOME"), home.path());
    return env;
}

}  // namespace

TEST(TaviBinary, PrintsItsVersion) {
    QProcess tavi;
    tavi.start(QStringLiteral(TAVI_BINARY), {QStringLiteral("--version")});
    ASSERT_TRUE(tavi.waitForFinished(10000));
    EXPECT_EQ(tavi.exitCode(), 0);
    EXPECT_TRUE(tavi.readAllStandardOutput().startsWith("Tavi 3."));
}

TEST(TaviBinary, StartsOffscreenAndSavesSettingsWhenAskedToQuit) {
    QTemporaryDir home;
    QProcess tavi;
    tavi.setProcessEnvironment(isolatedEnvironment(home));
    tavi.setWorkingDirectory(home.path());
    tavi.start(QStringLiteral(TAVI_BINARY), {});
    ASSERT_TRUE(tavi.waitForStarted(10000));
    EXPECT_FALSE(tavi.waitForFinished(1500)) << tavi.readAllStandardError().constData();
    ::kill(static_cast<pid_t>(tavi.processId()), SIGTERM);
    ASSERT_TRUE(tavi.waitForFinished(10000));
    EXPECT_EQ(tavi.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(tavi.exitCode(), 0);

    QFile hive(home.filePath(QStringLiteral("config/Kestrova/Tavi/user.reg")));
    ASSERT_TRUE(hive.open(QIODevice::ReadOnly));
    const QByteArray text = hive.readAll();
    EXPECT_TRUE(text.contains("[HKEY_CURRENT_USER\\Software\\Kestrova\\Tavi\\Settings]"));
    EXPECT_TRUE(text.contains("\"IntroLength\"=dword:0000000f"));
    EXPECT_TRUE(text.contains("\"PlaylistDir\"=\"" + home.path().toUtf8() + "\""));
}
