// The CD in the main window: CD entries shown by the title database's names, the names
// written by "Edit CD data base", and a disc that changes in the drive, on disc images.
#include "app/AppCd.h"
#include "app/frame/CMainFrame.h"
#include "app/frame/FrameCommandIds.h"
#include "engines/cd/CCdDatabase.h"
#include "frame/FrameTestSupport.h"
#include "playlist/CTaviDoc.h"
#include "playlist/CommandIds.h"
#include "playlist/PlaylistModel.h"
#include "playlist/view/CDatabaseDlg.h"
#include "playlist/view/CPlayListBox.h"
#include "playlist/view/CTaviView.h"
#include "support/CdImage.h"
#include "support/ProcessRegistry.h"
#include "support/QtApp.h"
#include "support/SettingsScope.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace tavi;
using engines::CCdDatabase;
using test::processEventsUntil;

namespace {

class CdWindow : public testing::Test {
protected:
    CdWindow() {
        image = std::make_unique<test::CdImage>(m_dir.path(), std::vector<int>{75, 90, 40});
        qputenv("TAVI_CD_DRIVE", image->Drive().toLocal8Bit());
        document.NewDocument();
        frame = frame::CreateMainFrame(document, services);
        app::ConnectCd(frame.get());
        frame->show();
        EXPECT_TRUE(processEventsUntil([] { return CCdDatabase::Instance().HasDisc(); }, 5000));
    }
    ~CdWindow() override {
        frame.reset();
        qunsetenv("TAVI_CD_DRIVE");
    }

    QString Shown(int row) { return document.model().index(row).data(Qt::DisplayRole).toString(); }
    QStringList ShownNames() {
        QStringList names;
        for (int row = 0; row < document.model().count(); ++row) {
            names.append(Shown(row));
        }
        return names;
    }
    // Answers "Edit CD data base" as a user would: a new name typed for the selected
    // track, Enter to the artist, a new artist, and OK.
    void AnswerDialogWith(const QString& name, const QString& artist) {
        QTimer::singleShot(0, [name, artist] {
            auto* dialog = qobject_cast<playlist::CDatabaseDlg*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            QLineEdit* field = dialog->tracks()->lineEdit();
            field->selectAll();
            QTest::keyClicks(field, name);
            QTest::keyClick(field, Qt::Key_Return);
            dialog->artist()->selectAll();
            QTest::keyClicks(dialog->artist(), artist);
            dialog->okButton()->click();
        });
    }

    test::SettingsScope settingsScope;
    test::ProcessRegistry registry;
    QTemporaryDir m_dir;
    std::unique_ptr<test::CdImage> image;
    playlist::CTaviDoc document;
    test::RecordingServices services;
    std::unique_ptr<frame::CMainFrame> frame;
};

}  // namespace

TEST_F(CdWindow, TheListShowsTheNamesTheDialogWrites) {
    frame->OnCommand(playlist::cmd::kAddCdTracks);
    ASSERT_EQ(document.model().count(), 3);
    EXPECT_EQ(ShownNames(), (QStringList{QStringLiteral("Track 01"), QStringLiteral("Track 02"),
                                         QStringLiteral("Track 03")}));
    document.model().setCurrent(1);
    AnswerDialogWith(QStringLiteral("Adagio"), QStringLiteral("Trio"));
    frame->OnCommand(playlist::cmd::kRename);
    EXPECT_EQ(ShownNames(), (QStringList{QStringLiteral("Track 01"), QStringLiteral("Adagio"),
                                         QStringLiteral("Track 03")}));
    EXPECT_EQ(document.model().path(1), image->Root() + QStringLiteral("Track02.cda"));
    CCdDatabase reread(CCdDatabase::DefaultPath());
    reread.IdentifyDisc();
    EXPECT_EQ(reread.GetArtist(), QStringLiteral("Trio"));
    EXPECT_EQ(reread.GetTitle(), QStringLiteral("New Title"));
    EXPECT_EQ(reread.GetTrackName(1), QStringLiteral("Adagio"));
}

// Another disc in the drive shows its own names (a new one the defaults) without any
// command; the first disc back shows its names again.
TEST_F(CdWindow, ADiscChangeShowsTheNamesOfTheDiscInTheDrive) {
    frame->OnCommand(playlist::cmd::kAddCdTracks);
    document.model().setCurrent(0);
    AnswerDialogWith(QStringLiteral("Prelude"), QStringLiteral("Solo"));
    frame->OnCommand(playlist::cmd::kRename);
    ASSERT_EQ(Shown(0), QStringLiteral("Prelude"));
    const uint32_t first = CCdDatabase::Instance().Identity();

    image = std::make_unique<test::CdImage>(m_dir.path(), std::vector<int>{80, 80, 80, 80});
    ASSERT_TRUE(processEventsUntil([&] { return Shown(0) == QStringLiteral("Track 01"); }, 8000));
    EXPECT_NE(CCdDatabase::Instance().Identity(), first);
    EXPECT_EQ(CCdDatabase::Instance().GetArtist(), QStringLiteral("New Artist"));

    image = std::make_unique<test::CdImage>(m_dir.path(), std::vector<int>{75, 90, 40});
    ASSERT_TRUE(processEventsUntil([&] { return Shown(0) == QStringLiteral("Prelude"); }, 8000));
    EXPECT_EQ(CCdDatabase::Instance().Identity(), first);
}
