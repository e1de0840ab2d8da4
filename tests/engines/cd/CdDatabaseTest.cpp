#include "engines/cd/CCdDatabase.h"
#include "engines/cd/CdServices.h"
#include "platform/inifile/IniFile.h"
#include "support/CdImage.h"
#include "support/QtApp.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using tavi::engines::CCdDatabase;

namespace {

class CdDatabase : public testing::Test {
protected:
    CdDatabase() : m_image(m_dir.path(), {75, 90}) {
        tavi::test::coreApplication();
        qputenv("TAVI_CD_DRIVE", m_image.Drive().toLocal8Bit());
        m_path = m_dir.filePath(QStringLiteral("Kestrova/cdplayer.ini"));
    }
    ~CdDatabase() override { qunsetenv("TAVI_CD_DRIVE"); }

    QString Section() const {
        return QString::number(tavi::engines::cd::IdentifyCdInDrive(), 16).toUpper();
    }
    void WriteFile(const QByteArray& bytes) {
        QDir(m_dir.path()).mkpath(QStringLiteral("Kestrova"));
        QFile file(m_path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray FileBytes() const {
        QFile file(m_path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir m_dir;
    tavi::test::CdImage m_image;
    QString m_path;
};

}  // namespace

TEST_F(CdDatabase, ANewDiscIsRegisteredAndItsNamesAreWritten) {
    CCdDatabase database(m_path);
    EXPECT_TRUE(database.IdentifyDisc());
    EXPECT_FALSE(database.IdentifyDisc());  // the same disc again
    ASSERT_EQ(database.Identity(), tavi::engines::cd::IdentifyCdInDrive());
    EXPECT_EQ(database.GetTrackCount(), 2);
    EXPECT_EQ(database.GetArtist(), QStringLiteral("New Artist"));
    EXPECT_EQ(database.GetTitle(), QStringLiteral("New Title"));
    EXPECT_EQ(database.GetTrackName(0), QStringLiteral("Track 01"));
    EXPECT_EQ(database.GetTrackName(1), QStringLiteral("Track 02"));
    tavi::ini::IniFile file(m_path);
    file.SelectSection(Section());
    EXPECT_EQ(file.ReadInt(QStringLiteral("numtracks"), 0), 2);
    EXPECT_EQ(file.ReadString(QStringLiteral("artist")), QStringLiteral("New Artist"));

    ASSERT_TRUE(database.SetAll(QStringLiteral("Band"), QStringLiteral("Album"),
                                {QStringLiteral("Opening"), QStringLiteral("Closing")}));
    CCdDatabase reread(m_path);
    reread.IdentifyDisc();
    EXPECT_EQ(reread.GetArtist(), QStringLiteral("Band"));
    EXPECT_EQ(reread.GetTitle(), QStringLiteral("Album"));
    EXPECT_EQ(reread.GetTrackName(1), QStringLiteral("Closing"));
}

TEST_F(CdDatabase, WithoutADiscThereIsNothingToRegisterOrWrite) {
    qputenv("TAVI_CD_DRIVE", "");
    CCdDatabase database(m_path);
    EXPECT_FALSE(database.IdentifyDisc());
    EXPECT_FALSE(database.HasDisc());
    EXPECT_EQ(database.GetTrackCount(), 0);
    EXPECT_EQ(database.GetArtist(), QStringLiteral("New Artist"));
    EXPECT_FALSE(database.SetAll(QStringLiteral("a"), QStringLiteral("b"), {}));
    EXPECT_EQ(database.LastError(), QStringLiteral("No CD Found"));
    EXPECT_FALSE(QFile::exists(m_path));
}

// Junk, absurd counts and names of tracks 0 or 100 read as defaults; a registration keeps
// every other line of the file.
TEST_F(CdDatabase, ADamagedFileReadsAsDefaultsAndLosesNothing) {
    QByteArray junk("\x00\xff\xfe[garbage\x01\n");
    for (int i = 0; i < 2000; ++i) {
        junk += QByteArray::number(i) + "=\x02\x03 name\n";
    }
    junk += "[" + Section().toLatin1() + "]\nnumtracks=-5\n0=First\n99=Beyond\n";
    junk += "[OTHER]\nnumtracks=10000\nartist=" + QByteArray(5000, 'x') + "\n";
    WriteFile(junk);
    CCdDatabase database(m_path);
    database.IdentifyDisc();
    EXPECT_EQ(database.GetTrackCount(), 2);  // registered anew over the negative count
    EXPECT_EQ(database.GetTrackName(0), QStringLiteral("First"));
    EXPECT_EQ(database.GetTrackName(-1), QStringLiteral("Track 00"));
    EXPECT_EQ(database.GetTrackName(99), QStringLiteral("Track 100"));
    EXPECT_FALSE(database.SetTrackName(99, QStringLiteral("x")));
    const QByteArray after = FileBytes();
    EXPECT_GT(after.size(), junk.size());
    EXPECT_TRUE(after.contains("1999=\x02\x03 name"));
    EXPECT_TRUE(after.contains("99=Beyond"));

    database.SelectDisc(0xABCDu);
    EXPECT_EQ(database.GetTrackCount(), 0);
}

TEST_F(CdDatabase, AFileThatCannotBeReadIsNeverReplaced) {
    WriteFile("[keep]\na=1\n");
    QFile::setPermissions(m_path, QFileDevice::WriteOwner);  // unreadable
    if (QFile(m_path).open(QIODevice::ReadOnly)) {
        GTEST_SKIP() << "running as a user who reads every file";
    }
    CCdDatabase database(m_path);
    database.IdentifyDisc();
    EXPECT_FALSE(database.SetArtist(QStringLiteral("lost?")));
    EXPECT_FALSE(database.LastError().isEmpty());
    QFile::setPermissions(m_path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(FileBytes(), QByteArray("[keep]\na=1\n"));
}
