// The options sheet: the pages it shows and their order, and each page copying the
// settings in when built and back on OK/Apply (never on Cancel).
#include "app/settings/PlaybackSettings.h"
#include "app/settings/PlayerSettings.h"
#include "app/settings/ViewSettings.h"
#include "platform/process/ProcessPriority.h"
#include "support/QtPrinters.h"
#include "support/SettingsScope.h"
#include "ui/optionsheet/CMixerDlg.h"
#include "ui/optionsheet/COptionsSheet.h"
#include "ui/optionsheet/OptionsPageRegistry.h"
#include "ui/optionsheet/PlaybackPage.h"
#include "ui/optionsheet/StandardPages.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace tavi;
using namespace tavi::ui;

namespace {

class QuietSheet : public COptionsSheet {
public:
    using COptionsSheet::COptionsSheet;
    QStringList errors;

protected:
    void ShowValidationError(const QString& message) override { errors.append(message); }
};

class OptionsTest : public testing::Test {
protected:
    OptionsTest() { RegisterStandardOptionsPages(registry); }

private:
    test::SettingsScope m_settings;  // first: the pages read the defaults it sets

protected:
    OptionsPageRegistry registry;
};

class StubPage : public COptionsPage {
public:
    void Apply() override {}
};

}  // namespace

TEST_F(OptionsTest, SheetShowsTheRegisteredPagesInTheirOrder) {
    QuietSheet sheet(registry);
    EXPECT_EQ(sheet.windowTitle(), QStringLiteral("Options"));
    EXPECT_EQ(
        sheet.Captions(),
        (QStringList{QStringLiteral("General"), QStringLiteral("Music Folder"),
                     QStringLiteral("Intro"), QStringLiteral("Video"), QStringLiteral("Mixer"),
                     QStringLiteral("Priority"), QStringLiteral("Playback")}));
    // Pages of other parts take their places in the order.
    registry.Register(QStringLiteral("DirectX Plug-ins"), [](QWidget*) { return new StubPage; });
    registry.Register(QStringLiteral("Meta Data"), [](QWidget*) { return new StubPage; });
    registry.Register(QStringLiteral("Something New"), [](QWidget*) { return new StubPage; });
    QuietSheet full(registry);
    EXPECT_EQ(full.Captions(),
              (QStringList{QStringLiteral("General"), QStringLiteral("Meta Data"),
                           QStringLiteral("Music Folder"), QStringLiteral("Intro"),
                           QStringLiteral("Video"), QStringLiteral("DirectX Plug-ins"),
                           QStringLiteral("Mixer"), QStringLiteral("Priority"),
                           QStringLiteral("Playback"), QStringLiteral("Something New")}));
}

TEST_F(OptionsTest, GeneralPageCopiesEachSwitchBothWays) {
    struct Switch {
        const char* name;
        QCheckBox* GeneralPage::*box;
        bool (*read)();
        void (*write)(bool);
    };
    const Switch switches[] = {
        {"AutoPlay", &GeneralPage::autoPlay, [] { return settings::playerSettings().autoPlay; },
         [](bool v) { settings::playerSettings().autoPlay = v; }},
        {"FadeOut", &GeneralPage::fadeOut, [] { return settings::playerSettings().fadeOut; },
         [](bool v) { settings::playerSettings().fadeOut = v; }},
        {"IgnoreErrors", &GeneralPage::ignoreErrors,
         [] { return settings::playerSettings().ignoreErrors; },
         [](bool v) { settings::playerSettings().ignoreErrors = v; }},
        {"MediaFilesOnly", &GeneralPage::mediaFilesOnly,
         [] { return settings::playerSettings().mediaFilesOnly; },
         [](bool v) { settings::playerSettings().mediaFilesOnly = v; }},
        {"ShowSongLegth", &GeneralPage::showSongLength,
         [] { return settings::viewSettings().showSongLength; },
         [](bool v) { settings::viewSettings().showSongLength = v; }},
        {"SaveOnExit", &GeneralPage::saveOnExit,
         [] { return settings::playerSettings().saveOnExit; },
         [](bool v) { settings::playerSettings().saveOnExit = v; }},
    };
    for (const Switch& s : switches) {
        for (bool value : {true, false}) {
            s.write(value);
            GeneralPage page;
            EXPECT_EQ((page.*s.box)->isChecked(), value) << s.name;
            (page.*s.box)->setChecked(!value);
            EXPECT_EQ(s.read(), value) << s.name << ": nothing changes before OK";
            page.Apply();
            EXPECT_EQ(s.read(), !value) << s.name;
        }
    }
}

TEST_F(OptionsTest, IntroPageAcceptsOnly0To300) {
    settings::playerSettings().introStart = 5;
    settings::playerSettings().introLength = 20;
    settings::playerSettings().ffTime = 45;
    IntroPage page;
    EXPECT_EQ(page.introStart->text(), QStringLiteral("5"));
    EXPECT_EQ(page.introLength->text(), QStringLiteral("20"));
    EXPECT_EQ(page.ffTime->text(), QStringLiteral("45"));
    const struct {
        const char* start;
        const char* length;
        bool accepted;
    } cases[] = {{"0", "0", true},      {"300", "300", true},
                 {"301", "10", false},  {"10", "301", false},
                 {"-1", "10", false},   {"abc", "10", false},
                 {"", "10", false},     {" 42 ", "7", true},
                 {"12.5", "10", false}, {"10", "99999999999", false}};
    for (const auto& c : cases) {
        page.introStart->setText(QString::fromLatin1(c.start));
        page.introLength->setText(QString::fromLatin1(c.length));
        QString message;
        EXPECT_EQ(page.Validate(&message), c.accepted) << c.start << " / " << c.length;
        if (!c.accepted) {
            EXPECT_EQ(message, QStringLiteral("Enter an integer between 0 and 300."));
        }
    }
    page.introStart->setText(QStringLiteral("120"));
    page.introLength->setText(QStringLiteral("30"));
    page.ffTime->setText(QStringLiteral("1000"));  // no range for the skip
    QString message;
    ASSERT_TRUE(page.Validate(&message));
    page.Apply();
    EXPECT_EQ(settings::playerSettings().introStart, 120u);
    EXPECT_EQ(settings::playerSettings().introLength, 30u);
    EXPECT_EQ(settings::playerSettings().ffTime, 1000u);
}

TEST_F(OptionsTest, ARefusedPageKeepsEveryPageFromApplying) {
    QuietSheet sheet(registry);
    auto* general = static_cast<GeneralPage*>(sheet.PageByCaption(QStringLiteral("General")));
    auto* intro = static_cast<IntroPage*>(sheet.PageByCaption(QStringLiteral("Intro")));
    int stored = 0;  // how often the sheet said its values are ready to be written
    QObject::connect(&sheet, &tavi::ui::COptionsSheet::applied, [&] { ++stored; });
    general->autoPlay->setChecked(true);
    intro->introStart->setText(QStringLiteral("500"));
    sheet.accept();
    EXPECT_EQ(stored, 0);
    EXPECT_EQ(sheet.errors, QStringList{QStringLiteral("Enter an integer between 0 and 300.")});
    EXPECT_FALSE(settings::playerSettings().autoPlay);
    EXPECT_EQ(sheet.result(), int(QDialog::Rejected));
    intro->introStart->setText(QStringLiteral("50"));
    EXPECT_TRUE(sheet.ApplyAll());
    EXPECT_EQ(stored, 1) << "Apply stores";
    sheet.accept();
    EXPECT_EQ(stored, 2) << "OK stores";
    EXPECT_TRUE(settings::playerSettings().autoPlay);
    EXPECT_EQ(settings::playerSettings().introStart, 50u);
    EXPECT_EQ(sheet.result(), int(QDialog::Accepted));
}

TEST_F(OptionsTest, CancelLeavesTheSettingsAlone) {
    QuietSheet sheet(registry);
    static_cast<GeneralPage*>(sheet.PageByCaption(QStringLiteral("General")))
        ->fadeOut->setChecked(false);
    sheet.reject();
    EXPECT_TRUE(settings::playerSettings().fadeOut);
}

TEST_F(OptionsTest, MusicFolderVideoAndMixerPagesCopyTheirValues) {
    settings::playerSettings().mediaDir = QStringLiteral("/srv/music");
    settings::viewSettings().videoMode = 2;
    settings::playerSettings().mixer = QStringLiteral("/usr/bin/pavucontrol");
    MusicFolderPage folder;
    VideoPage video;
    CMixerDlg mixer;
    EXPECT_EQ(folder.folder->text(), QStringLiteral("/srv/music"));
    EXPECT_EQ(folder.folder->maxLength(), 260);
    EXPECT_EQ(video.modes->checkedId(), 2);
    EXPECT_EQ(mixer.program->text(), QStringLiteral("/usr/bin/pavucontrol"));
    folder.folder->setText(QStringLiteral("/home/u/Music"));
    video.modes->button(3)->setChecked(true);
    mixer.program->setText(QString());
    EXPECT_FALSE(mixer.startButton->isEnabled());
    folder.Apply();
    video.Apply();
    mixer.Apply();
    EXPECT_EQ(settings::playerSettings().mediaDir, QStringLiteral("/home/u/Music"));
    EXPECT_EQ(settings::viewSettings().videoMode, 3u);
    EXPECT_TRUE(settings::playerSettings().mixer.isEmpty());
}

TEST_F(OptionsTest, PriorityPageShowsTheProcessClassAndSetsIt) {
    EXPECT_EQ(PriorityPage::IndexForClass(32), 0);
    EXPECT_EQ(PriorityPage::IndexForClass(128), 1);
    EXPECT_EQ(PriorityPage::IndexForClass(256), 2);
    EXPECT_EQ(PriorityPage::IndexForClass(64), 0);
    PriorityPage page;
    EXPECT_EQ(page.classes->checkedId(),
              PriorityPage::IndexForClass(process::processPriorityClass()));
    QStringList refusals;
    QObject::connect(&page, &PriorityPage::refused, [&](const QString& m) { refusals.append(m); });
    page.classes->button(1)->setChecked(true);
    page.Apply();
    // Either the system allowed it, or the page said so and shows what the process has.
    if (refusals.isEmpty()) {
        EXPECT_EQ(process::processPriorityClass(), uint32_t(process::HighPriorityClass));
        process::setProcessPriorityClass(process::NormalPriorityClass);
    } else {
        EXPECT_EQ(page.classes->checkedId(),
                  PriorityPage::IndexForClass(process::processPriorityClass()));
    }
}

// Every control of the playback page shows the value and writes it back on OK; what only
// counts with its switch on is greyed out without it; typed values stay in their ranges.
TEST_F(OptionsTest, PlaybackPageCopiesEachValueBothWays) {
    settings::PlaybackSettings& s = settings::playbackSettings();
    s = settings::PlaybackSettings();
    {
        PlaybackPage page;
        EXPECT_EQ(page.gainMode->currentIndex(), 0) << "off by default";
        EXPECT_FALSE(page.preamp->isEnabled());
        EXPECT_FALSE(page.crossfadeLength->isEnabled());
        EXPECT_FALSE(page.fadePauseLength->isEnabled());
        EXPECT_TRUE(page.preventClipping->isChecked());
        EXPECT_DOUBLE_EQ(page.crossfadeLength->value(), 2.0);
        EXPECT_EQ(page.fadePauseLength->value(), 300);
        page.gainMode->setCurrentIndex(2);
        page.preamp->setValue(-4.5);
        page.fallback->setValue(3.0);
        page.preventClipping->setChecked(false);
        page.crossfadeAuto->setChecked(true);
        page.crossfadeManual->setChecked(true);
        page.crossfadeLength->setValue(7.5);
        page.fadePause->setChecked(true);
        page.fadePauseLength->setValue(650);
        EXPECT_TRUE(page.preamp->isEnabled() && page.crossfadeLength->isEnabled() &&
                    page.fadePauseLength->isEnabled());
        EXPECT_EQ(s.gainMode, settings::PlaybackSettings::GainMode::Off) << "only on OK";
        page.Apply();
    }
    EXPECT_EQ(s.gainMode, settings::PlaybackSettings::GainMode::Album);
    EXPECT_EQ(s.preampTenthsDb, -45);
    EXPECT_EQ(s.fallbackTenthsDb, 30);
    EXPECT_FALSE(s.preventClipping);
    EXPECT_TRUE(s.crossfadeAuto && s.crossfadeManual && s.fadePause);
    EXPECT_EQ(s.crossfadeMs, 7500u);
    EXPECT_EQ(s.fadePauseMs, 650u);

    PlaybackPage again;
    EXPECT_EQ(again.gainMode->currentIndex(), 2);
    EXPECT_DOUBLE_EQ(again.preamp->value(), -4.5);
    EXPECT_DOUBLE_EQ(again.crossfadeLength->value(), 7.5);
    again.crossfadeLength->setValue(60.0);
    again.preamp->setValue(-99.0);
    again.fadePauseLength->setValue(5);
    again.Apply();
    EXPECT_EQ(s.crossfadeMs, 10000u);
    EXPECT_EQ(s.preampTenthsDb, -150);
    EXPECT_EQ(s.fadePauseMs, 50u);
    s = settings::PlaybackSettings();
}
