#include "platform/fs/AtomicFile.h"
#include "platform/registry/Registry.h"
#include "support/TempRegistry.h"

#include <gtest/gtest.h>

#include <QDir>

using tavi::reg::RegKey;
using tavi::reg::Root;
using tavi::test::TempRegistry;

namespace {
const QString kApp = QStringLiteral("Software\\Kestrova\\Tavi");
}

TEST(Registry, ValuesPersistAcrossProcessesAndKeysAreCreated) {
    TempRegistry registry;
    {
        RegKey key = registry->open(Root::CurrentUser, kApp + QStringLiteral("\\Settings"), true);
        ASSERT_TRUE(key.isValid());
        EXPECT_TRUE(key.setString(QStringLiteral("MediaDir"), QStringLiteral("/music")));
        EXPECT_TRUE(key.setDWord(QStringLiteral("IntroLength"), 20));
        EXPECT_FALSE(
            registry->open(Root::CurrentUser, kApp + QStringLiteral("\\Missing")).isValid());
    }
    registry.reopen();
    RegKey key = registry->open(Root::CurrentUser, kApp + QStringLiteral("\\SETTINGS"));
    EXPECT_EQ(key.stringValue(QStringLiteral("mediadir")), QStringLiteral("/music"));
    EXPECT_EQ(key.dwordValue(QStringLiteral("IntroLength")), 20u);
    EXPECT_TRUE(registry.readUserFile().startsWith("Windows Registry Editor Version 5.00\n"));
}

TEST(Registry, WritesTheFileOnceWhenTheLastKeyOfABatchCloses) {
    TempRegistry registry;
    {
        RegKey key = registry->open(Root::CurrentUser, kApp, true);
        RegKey sub = key.subKey(QStringLiteral("Settings"), true);
        sub.setDWord(QStringLiteral("A"), 1);
        key = RegKey();
        EXPECT_FALSE(QFile::exists(registry.userFile())) << "written while a key was still open";
    }
    EXPECT_TRUE(QFile::exists(registry.userFile()));
}

TEST(Registry, DeletesKeyTreesAndValues) {
    TempRegistry registry;
    RegKey app = registry->open(Root::CurrentUser, kApp, true);
    app.subKey(QStringLiteral("Macros\\One\\Deep"), true).setDWord(QStringLiteral("x"), 1);
    app.subKey(QStringLiteral("Macros\\Two"), true);
    app.setDWord(QStringLiteral("v"), 1);
    RegKey stale = app.subKey(QStringLiteral("Macros\\One"));
    EXPECT_TRUE(app.deleteSubKeyTree(QStringLiteral("macros\\one")));
    EXPECT_EQ(app.subKey(QStringLiteral("Macros")).subKeyNames(),
              QStringList{QStringLiteral("Two")});
    EXPECT_FALSE(stale.isValid());
    EXPECT_FALSE(stale.setDWord(QStringLiteral("y"), 1));
    EXPECT_TRUE(app.deleteValue(QStringLiteral("V")));
    EXPECT_FALSE(app.deleteValue(QStringLiteral("v")));
}

TEST(Registry, MachineHiveIsSystemFileOverDefaultsAndReadOnly) {
    TempRegistry registry;
    registry.writeSystemFile(
        "Windows Registry Editor Version 5.00\n"
        "[HKEY_LOCAL_MACHINE\\Software\\Kestrova\\Tavi\\Languages\\de]\n\"IsoCode\"=\"de\"\n"
        "[HKEY_LOCAL_MACHINE\\Software\\Classes\\.lua]\n@=\"LuaFile\"\n");
    registry.reopen();
    RegKey machine = registry->open(Root::LocalMachine, kApp, true);
    ASSERT_TRUE(machine.isValid()) << "built-in defaults hold the application key";
    EXPECT_EQ(
        machine.subKey(QStringLiteral("Languages\\de")).stringValue(QStringLiteral("IsoCode")),
        QStringLiteral("de"));
    EXPECT_FALSE(machine.setDWord(QStringLiteral("x"), 1));
    EXPECT_FALSE(
        registry->open(Root::LocalMachine, QStringLiteral("Software\\New"), true).isValid());

    RegKey user = registry->open(Root::CurrentUser, QStringLiteral("Software\\Classes\\.js"), true);
    user.setString(QString(), QStringLiteral("JSFile"));
    EXPECT_EQ(registry->open(Root::ClassesRoot, QStringLiteral(".lua")).stringValue(QString()),
              QStringLiteral("LuaFile"));
    EXPECT_EQ(registry->open(Root::ClassesRoot, QStringLiteral(".js")).stringValue(QString()),
              QStringLiteral("JSFile"));
}

TEST(Registry, DamagedHiveIsKeptAsideAndDefaultsUsed) {
    TempRegistry registry;
    const QByteArray damaged =
        "Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\A]\n\"x\"=dword:zz\n";
    registry.writeUserFile(damaged);
    testing::internal::CaptureStderr();
    registry.reopen();
    const std::string message = testing::internal::GetCapturedStderr();
    EXPECT_NE(message.find("user.reg.bad"), std::string::npos) << message;
    QFile bad(registry.userFile() + QStringLiteral(".bad"));
    ASSERT_TRUE(bad.open(QIODevice::ReadOnly));
    EXPECT_EQ(bad.readAll(), damaged);
    EXPECT_FALSE(registry->open(Root::CurrentUser, QStringLiteral("A")).isValid());
}

TEST(Registry, FailedWriteLeavesThePreviousHiveWhole) {
    TempRegistry registry;
    registry->open(Root::CurrentUser, kApp, true).setDWord(QStringLiteral("Kept"), 1);
    const QByteArray before = registry.readUserFile();
    ASSERT_FALSE(before.isEmpty());

    QString tempSeen;
    tavi::fs::AtomicFile::setBeforeRenameHook([&](const QString& temp) {
        tempSeen = temp;
        return false;  // the process "dies" between writing and renaming
    });
    registry->open(Root::CurrentUser, kApp, true).setDWord(QStringLiteral("Lost"), 2);
    tavi::fs::AtomicFile::setBeforeRenameHook({});

    EXPECT_FALSE(tempSeen.isEmpty());
    EXPECT_FALSE(QFile::exists(tempSeen));
    EXPECT_EQ(registry.readUserFile(), before);
    EXPECT_EQ(QDir(QFileInfo(registry.userFile()).path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("user.reg")});
}

TEST(Registry, ChangesMadeByAnotherProcessAreSeenAtTheNextOpen) {
    TempRegistry registry;
    registry->open(Root::CurrentUser, kApp, true).setDWord(QStringLiteral("Mine"), 1);
    tavi::reg::Registry::Locations other{registry.userFile(), QString()};
    {
        tavi::reg::Registry second(other);
        second.open(Root::CurrentUser, kApp, true).setDWord(QStringLiteral("Theirs"), 2);
    }
    RegKey key = registry->open(Root::CurrentUser, kApp);
    EXPECT_EQ(key.dwordValue(QStringLiteral("Theirs")), 2u);
    EXPECT_EQ(key.dwordValue(QStringLiteral("Mine")), 1u);
}
