// Saving onto a full or read-only file system: the error is reported, the old file stays
// whole, nothing is left beside it. Each test mounts a small tmpfs in a mount namespace of
// its own process (ctest runs every test in a process of its own).
#include "app/SettingsFolderWatch.h"
#include "formats/DocumentFiles.h"
#include "platform/errors/CException.h"
#include "platform/registry/RegHive.h"
#include "platform/registry/RegKey.h"
#include "platform/registry/Registry.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sched.h>
#include <sys/mount.h>
#include <cerrno>
#include <cstring>
#include <map>

namespace {

using namespace tavi;

// A 64-KiB tmpfs over a fresh folder, seen by this process alone; empty text on success.
std::string MountSmallDisk(const QString& folder) {
    if (::unshare(CLONE_NEWNS) != 0 && ::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) {
        return std::string("no mount namespace: ") + std::strerror(errno);
    }
    if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        ::mount("tavi-test", QFile::encodeName(folder).constData(), "tmpfs", 0, "size=64k") != 0) {
        return std::string("no tmpfs: ") + std::strerror(errno);
    }
    return {};
}

bool MakeReadOnly(const QString& folder) {
    return ::mount(nullptr, QFile::encodeName(folder).constData(), nullptr, MS_REMOUNT | MS_RDONLY,
                   nullptr) == 0;
}

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Takes what room is left, so that the next write of any size fails.
void FillUp(const QString& folder) {
    QFile filler(folder + QStringLiteral("/filler"));
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
    const QByteArray block(4096, 'x');
    while (filler.write(block) == block.size() && filler.flush()) {
    }
    filler.write("x");
    filler.flush();
}

// A settings hive as an earlier run left it; its bytes.
QByteArray WriteOldHive(const QString& hive) {
    reg::Registry registry({hive, {}});
    registry.open(reg::Root::CurrentUser, QStringLiteral("Software\\Tavi"), true)
        .setString(QStringLiteral("Kept"), QStringLiteral("old value"));
    return registry.flush() ? Contents(hive) : QByteArray();
}

QStringList ManyEntries() {
    QStringList entries;
    for (int i = 0; i < 2000; ++i) {
        entries << QStringLiteral("/music/a long folder name for room/track %1.mp3").arg(i);
    }
    return entries;
}

class DiskFault : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_folder.isValid());
        const std::string problem = MountSmallDisk(m_folder.path());
        if (!problem.empty()) {
            GTEST_SKIP() << problem;
        }
    }
    void TearDown() override {
        reg::RegHive::setSaveFailureHandler({});
        ::umount2(QFile::encodeName(m_folder.path()).constData(), MNT_DETACH);
    }
    QString Path(const char* name) const { return m_folder.path() + u'/' + QLatin1String(name); }
    QStringList Files() const {
        return QDir(m_folder.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }

    QTemporaryDir m_folder;
};

}  // namespace

TEST_F(DiskFault, APlaylistSavedOntoAFullDiskFailsWithTheReasonAndKeepsTheOldFile) {
    for (const char* name : {"list.alb", "list.m3u", "list.pls", "list.wpl"}) {
        formats::SavePlaylistFromDocument(Path(name), {QStringLiteral("/music/old.mp3")});
    }
    std::map<QString, QByteArray> before;
    for (const QString& name : Files()) {
        before[name] = Contents(m_folder.path() + u'/' + name);
    }
    FillUp(m_folder.path());
    for (const char* name : {"list.alb", "list.m3u", "list.pls", "list.wpl"}) {
        QString message;
        try {
            formats::SavePlaylistFromDocument(Path(name), ManyEntries());
        } catch (const errors::CException& error) {
            message = formats::DocumentSaveErrorMessage(&error);
        }
        EXPECT_TRUE(message.startsWith(QStringLiteral("Disk full while accessing")) &&
                    message.contains(Path(name)))
            << name << ": " << qPrintable(message);
        EXPECT_EQ(Contents(Path(name)), before[QLatin1String(name)]) << name;
        EXPECT_EQ(formats::LoadPlaylistForDocument(Path(name)),
                  QStringList{QStringLiteral("/music/old.mp3")});
    }
    EXPECT_EQ(Files().size(), 5) << qPrintable(Files().join(u' '));  // the lists and the filler
}

TEST_F(DiskFault, SettingsSavedOntoAFullDiskAreReportedAndTheOldHiveStays) {
    QStringList failures;
    reg::RegHive::setSaveFailureHandler([&](const QString& path, const QString& error) {
        failures << path + QStringLiteral(": ") + error;
    });
    const QString hive = Path("user.reg");
    const QByteArray before = WriteOldHive(hive);
    ASSERT_FALSE(before.isEmpty());
    FillUp(m_folder.path());
    {
        reg::Registry registry({hive, {}});
        reg::RegKey key =
            registry.open(reg::Root::CurrentUser, QStringLiteral("Software\\Tavi"), true);
        for (const QString& entry : ManyEntries()) {
            key.setString(entry, entry);
        }
        EXPECT_FALSE(registry.flush());
    }
    EXPECT_EQ(Contents(hive), before);
    ASSERT_FALSE(failures.isEmpty());
    EXPECT_TRUE(failures.first().startsWith(hive)) << qPrintable(failures.first());
    EXPECT_TRUE(failures.first().contains(QString::fromLocal8Bit(std::strerror(ENOSPC))));
    EXPECT_EQ(Files(), (QStringList{QStringLiteral("filler"), QStringLiteral("user.reg")}));
}

TEST_F(DiskFault, AReadOnlySettingsFolderIsToldOnceAtStartAndNotForEachFailedSave) {
    int argc = 1;
    char name[] = "test";
    char* argv[] = {name, nullptr};
    QCoreApplication application(argc, argv);
    const QString hive = Path("user.reg");
    const QByteArray before = WriteOldHive(hive);
    ASSERT_FALSE(before.isEmpty());
    ASSERT_TRUE(MakeReadOnly(m_folder.path()));
    QStringList told;
    app::SettingsFolderWatch watch({m_folder.path()},
                                   [&](const QString& message) { told << message; });
    watch.Start();
    ASSERT_EQ(told.size(), 1);
    EXPECT_TRUE(told.first().contains(m_folder.path()));
    EXPECT_TRUE(told.first().contains(QString::fromLocal8Bit(std::strerror(EROFS))));
    for (int save = 0; save < 3; ++save) {
        reg::Registry registry({hive, {}});
        registry.open(reg::Root::CurrentUser, QStringLiteral("Software\\Tavi"), true)
            .setDWord(QStringLiteral("Count"), uint32_t(save));
        EXPECT_FALSE(registry.flush());
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(told.size(), 1);
    EXPECT_EQ(Contents(hive), before);
}
