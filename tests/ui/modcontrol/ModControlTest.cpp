// The "MOD Control" dialog of a module track, with the library's panel in its control 2107.
#include "engines/TrackRecorder.h"
#include "engines/mod/CModTrack.h"
#include "engines/mod/CNPModDll.h"
#include "support/ModuleFiles.h"
#include "support/PlaybackEnvironment.h"
#include "ui/modcontrol/CModControlDlg.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QTemporaryDir>

using namespace tavi::engines;
using tavi::test::processEventsUntil;

namespace {

class ModControl : public testing::Test {
protected:
    ModControl() {
        tavi::test::PrepareForPlayback();
        EXPECT_TRUE(CNPModDll::Instance().BindFile(QStringLiteral(TAVI_NPMOD32_PATH)));
        tavi::ui::CModControlDlg::Register();
    }
    ~ModControl() override { SetModControlProvider(nullptr); }

    QString Write(const QString& name, const QByteArray& bytes) {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    // The text the library's panel shows, from its own accessor.
    static QStringList PanelText(tavi::ui::CModControlDlg* dialog) {
        QWidget* panel =
            dialog->LibraryControl()->findChild<QWidget*>(QStringLiteral("npmodPanel"));
        if (!panel) {
            return {};
        }
        QStringList lines;
        QMetaObject::invokeMethod(panel, "TextLines", Q_RETURN_ARG(QStringList, lines));
        return lines;
    }

    QTemporaryDir m_dir;
    tavi::test::TrackRecorder m_recorder;
};

}  // namespace

// Hidden while opened (a track opened ahead or measured for Total Length shows nothing),
// shown without taking the focus when it plays; the panel names the module and follows it.
TEST_F(ModControl, TheDialogShowsTheLibrarysPanelWhileTheModulePlays) {
    QLineEdit focused;
    focused.show();
    focused.activateWindow();
    focused.setFocus();
    ASSERT_TRUE(processEventsUntil([&] { return QApplication::focusWidget() == &focused; }, 2000));
    CModTrack track;
    track.SetCallback(&m_recorder);
    track.Open(Write(QStringLiteral("a.mod"), tavi::test::ModFile(20, 6, "Harbour Lights")));
    auto* dialog = dynamic_cast<tavi::ui::CModControlDlg*>(track.ControlWindow());
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("MOD Control"));
    EXPECT_EQ(dialog->LibraryControl()->objectName(), QStringLiteral("2107"));
    EXPECT_FALSE(dialog->isVisible());
    QWidget* panel = dialog->LibraryControl()->findChild<QWidget*>(QStringLiteral("npmodPanel"));
    ASSERT_NE(panel, nullptr) << "the library drew nothing into control 2107";
    EXPECT_EQ(PanelText(dialog),
              (QStringList{QStringLiteral("Harbour Lights"), QStringLiteral("0:00 / 0:02"),
                           QStringLiteral("4 channels · ProTracker MOD (M.K.)")}));
    track.Play();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(panel->size(), dialog->LibraryControl()->size()) << "the panel fills the control";
    ASSERT_TRUE(processEventsUntil([&] { return track.GetPosition() >= 1.0; }, 5000));
    EXPECT_EQ(PanelText(dialog).value(1), QStringLiteral("0:01 / 0:02"));
    const QImage shown = dialog->grab().toImage();
    const QImage empty = tavi::ui::CModControlDlg().grab().toImage();
    EXPECT_NE(shown, empty) << "the panel paints";
    tavi::test::processEventsFor(100);
    EXPECT_EQ(QApplication::focusWidget(), &focused) << "the dialog took the focus";
    track.Close();
    EXPECT_FALSE(dialog->isVisible());
}

// Destroyed with the player, the panel leaves the control empty; a dialog deleted first
// leaves the library nothing to delete twice.
TEST_F(ModControl, ThePanelGoesWithThePlayerOrWithTheDialog) {
    const QString path = Write(QStringLiteral("a.s3m"), tavi::test::S3mFile(9));
    {
        CModTrack track;
        track.Open(path);
        auto* dialog = dynamic_cast<tavi::ui::CModControlDlg*>(track.ControlWindow());
        ASSERT_NE(dialog, nullptr);
        track.Close();
        EXPECT_EQ(dialog->LibraryControl()->findChild<QWidget*>(QStringLiteral("npmodPanel")),
                  nullptr);
    }
    const CNPModDll::Entries& dll = CNPModDll::Instance().Get();
    void* player = dll.createEx("controls|spectrum");
    auto dialog = std::make_unique<tavi::ui::CModControlDlg>();
    dll.setWindow(player, dialog->LibraryWindow());
    ASSERT_TRUE(dll.load(player, path.toLocal8Bit().constData()));
    dialog.reset();
    dll.destroy(player);  // must not touch the deleted panel
    SUCCEED();
}
