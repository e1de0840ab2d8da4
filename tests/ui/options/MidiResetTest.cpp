// The "MIDI-Reset" dialog playing a reset file, and the "MIDI" options page around it.
#include "app/settings/PlayerSettings.h"
#include "platform/mci/MciExtensions.h"
#include "support/MidiFiles.h"
#include "support/ProcessRegistry.h"
#include "ui/options/CMidiResetDlg.h"
#include "ui/options/CResetWnd.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

using tavi::ui::CResetWnd;

namespace {

class MidiReset : public testing::Test {
protected:
    MidiReset() {
        qputenv("TAVI_AUDIO_OUTPUT", "null");
        tavi::mci::MciExtensions::reload();
        tavi::settings::playerSettings() = tavi::settings::PlayerSettings();
    }

    // A file of one quarter note per beat, seconds long.
    QString ResetFile(const char* name, int seconds) {
        tavi::test::MidiTrackBytes track;
        for (int i = 0; i < 2 * seconds; ++i) {
            track.Note(0, 96);
        }
        const QString path = m_dir.filePath(QLatin1String(name));
        EXPECT_TRUE(
            tavi::test::WriteBytes(path, tavi::test::MidiFileBytes(0, 96, {track.Chunk()})));
        return path;
    }
    // Runs the dialog modally; a dialog still open after 10 s fails the test.
    int Run(CResetWnd& dialog, int cancelAfterMs = -1) {
        dialog.SetMessageSink([this](const QString& text) { m_messages.append(text); });
        if (cancelAfterMs >= 0) {
            QTimer::singleShot(cancelAfterMs, &dialog, &CResetWnd::reject);
        }
        QTimer::singleShot(10000, &dialog, [&] { dialog.done(-1); });
        return dialog.exec();
    }

    tavi::test::ProcessRegistry m_registry;
    QTemporaryDir m_dir;
    QStringList m_messages;
};

}  // namespace

TEST_F(MidiReset, TheDialogClosesWithOneWhenTheResetFilePlayed) {
    CResetWnd dialog(ResetFile("reset.mid", 1));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("MIDI-Reset"));
    EXPECT_EQ(Run(dialog), CResetWnd::kResultDone);
    EXPECT_TRUE(m_messages.isEmpty());
}

// Cancel stops the play; the abort it causes is no message of its own.
TEST_F(MidiReset, CancelAndFailuresCloseWithTwo) {
    CResetWnd cancelled(ResetFile("long.mid", 30));
    EXPECT_EQ(Run(cancelled, 300), CResetWnd::kResultFailed);
    EXPECT_TRUE(m_messages.isEmpty()) << m_messages.join(u'\n').toStdString();

    CResetWnd missing(m_dir.filePath(QStringLiteral("missing.mid")));
    EXPECT_EQ(Run(missing), CResetWnd::kResultFailed);
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_EQ(m_messages[0], QStringLiteral("The file could not be found."));
}

TEST_F(MidiReset, ThePageStoresTheFileAndTheSwitchAndResetsWithTheTypedFile) {
    tavi::settings::playerSettings().resetFile = QStringLiteral("/old/reset.mid");
    tavi::ui::CMidiResetDlg page;
    QStringList runs;
    page.SetResetRunner([&](const QString& file) {
        runs.append(file);
        return CResetWnd::kResultDone;
    });
    EXPECT_EQ(page.fileEdit()->text(), QStringLiteral("/old/reset.mid"));
    EXPECT_FALSE(page.sendResetBox()->isChecked());
    EXPECT_FALSE(page.resetButton()->isEnabled());
    page.sendResetBox()->setChecked(true);
    EXPECT_TRUE(page.resetButton()->isEnabled());

    page.fileEdit()->clear();
    page.resetButton()->click();
    EXPECT_TRUE(runs.isEmpty()) << "nothing to play";
    page.fileEdit()->setText(QStringLiteral("/new/reset.mid"));
    page.resetButton()->click();
    EXPECT_EQ(runs, QStringList{QStringLiteral("/new/reset.mid")});

    EXPECT_EQ(tavi::settings::playerSettings().resetFile, QStringLiteral("/old/reset.mid"));
    page.Apply();
    EXPECT_EQ(tavi::settings::playerSettings().resetFile, QStringLiteral("/new/reset.mid"));
    EXPECT_TRUE(tavi::settings::playerSettings().sendReset);
}
