#include "platform/fs/Trash.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>

using tavi::fs::Trash;

namespace {

// A home and data folder of the test's own, and a current directory that must stay empty.
class TrashTest : public testing::Test {
protected:
    TrashTest() : m_oldHome(qgetenv("HOME")), m_oldData(qgetenv("XDG_DATA_HOME")) {
        qputenv("HOME", QFile::encodeName(home.path()));
        m_oldCurrent = QDir::currentPath();
        QDir::setCurrent(current.path());
    }
    ~TrashTest() override {
        QDir::setCurrent(m_oldCurrent);
        qputenv("HOME", m_oldHome);
        if (m_oldData.isNull()) {
            qunsetenv("XDG_DATA_HOME");
        } else {
            qputenv("XDG_DATA_HOME", m_oldData);
        }
    }
    QString touch(const QString& name) {
        const QString path = home.filePath(name);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("x");
        return path;
    }
    static QByteArray read(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir home;
    QTemporaryDir current;

private:
    QByteArray m_oldHome;
    QByteArray m_oldData;
    QString m_oldCurrent;
};

TEST_F(TrashTest, FilesGoToTheDataHomeTrashWithTheirInfoAndNothingInTheCurrentFolder) {
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath(QStringLiteral("data"))));
    const QString song = touch(QStringLiteral("music/my song #1.mp3"));
    const Trash::Result first = Trash::MoveToTrash(song);
    ASSERT_TRUE(first.ok) << first.error.toStdString();
    EXPECT_FALSE(QFile::exists(song));
    const QString trash = home.filePath(QStringLiteral("data/Trash"));
    EXPECT_EQ(first.trashedAs, trash + QStringLiteral("/files/my song #1.mp3"));
    const QByteArray info = read(trash + QStringLiteral("/info/my song #1.mp3.trashinfo"));
    EXPECT_TRUE(info.startsWith("[Trash Info]\nPath=")) << info.constData();
    EXPECT_TRUE(info.contains(QUrl::toPercentEncoding(song, "/"))) << info.constData();
    EXPECT_TRUE(info.contains("\nDeletionDate=20")) << info.constData();

    // A second file of the same name gets a name of its own; the first stays.
    touch(QStringLiteral("music/my song #1.mp3"));
    const Trash::Result second = Trash::MoveToTrash(song);
    ASSERT_TRUE(second.ok);
    EXPECT_NE(second.trashedAs, first.trashedAs);
    EXPECT_TRUE(QFile::exists(first.trashedAs));
    EXPECT_TRUE(QFile::exists(second.trashedAs));
    EXPECT_TRUE(QDir(current.path())
                    .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)
                    .isEmpty())
        << "no files/ or info/ in the current folder";
}

TEST_F(TrashTest, ARelativeDataHomeIsIgnoredAndAMissingFileFails) {
    qputenv("XDG_DATA_HOME", "relative/data");
    EXPECT_EQ(Trash::HomeTrash(), home.filePath(QStringLiteral(".local/share/Trash")));
    const QString song = touch(QStringLiteral("a.mp3"));
    ASSERT_TRUE(Trash::MoveToTrash(song).ok);
    EXPECT_TRUE(QFile::exists(home.filePath(QStringLiteral(".local/share/Trash/files/a.mp3"))));
    EXPECT_FALSE(QFileInfo::exists(current.filePath(QStringLiteral("relative"))));
    const Trash::Result gone = Trash::MoveToTrash(home.filePath(QStringLiteral("gone.mp3")));
    EXPECT_FALSE(gone.ok);
    EXPECT_FALSE(gone.error.isEmpty());
    EXPECT_TRUE(QDir(current.path())
                    .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)
                    .isEmpty());
}

}  // namespace
