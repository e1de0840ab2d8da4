// The display language of the main window: the stored choice and a first start's locale,
// a switch from View > Language rebuilding every persistent text at once, dialogs opened
// afterwards in the new language, and the way back to English.
#include "FrameTestSupport.h"
#include "app/frame/CMainFrame.h"
#include "app/frame/CPositionSlider.h"
#include "app/frame/FrameBars.h"
#include "app/frame/FrameCommandIds.h"
#include "app/settings/AppKey.h"
#include "app/settings/MainFrameSettings.h"
#include "app/settings/PlayerSettings.h"
#include "app/settings/SettingsKeys.h"
#include "playlist/CTaviDoc.h"
#include "support/LanguageHive.h"
#include "support/ProcessRegistry.h"
#include "support/SettingsScope.h"
#include "ui/explorer/CExplorerBar.h"
#include "ui/language/CLanguageMenu.h"
#include "ui/optionsheet/COptionsSheet.h"
#include "ui/optionsheet/OptionsPageRegistry.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDockWidget>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QTreeWidget>

using namespace tavi;

namespace {

constexpr int kLanguageFirst = frame::cmd::kLanguageFirst;

// Every text the window keeps: popup titles, item texts and prompts (menus, tool bars,
// tray and context menus), bar and dock captions and the sliders' tips.
QStringList PersistentTexts(const frame::CMainFrame& window) {
    QStringList texts;
    // The language items are the languages' own names, made anew at each opening.
    for (const QAction* action : window.findChildren<QAction*>()) {
        const QObject* parent = action->parent();
        if (!parent || parent->objectName() != QLatin1String("LanguagePopup")) {
            texts << action->text() << action->toolTip() << action->statusTip();
        }
    }
    for (const QMenu* menu : window.findChildren<QMenu*>()) {
        if (menu->objectName() != QLatin1String("LanguagePopup")) {
            texts << menu->title();
        }
    }
    for (const QToolBar* bar : window.findChildren<QToolBar*>()) {
        texts << bar->windowTitle();
    }
    for (const QDockWidget* dock : window.findChildren<QDockWidget*>()) {
        texts << dock->windowTitle();
    }
    texts << window.positionSlider()->toolTip() << window.positionSlider()->statusTip();
    texts.sort();
    return texts;
}

QMenu* LanguagePopup(frame::CMainFrame& window) {
    return window.findChild<QMenu*>(QStringLiteral("LanguagePopup"));
}

// Counts the language changes the window is told of.
class LanguageChangeCounter : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        count += event->type() == QEvent::LanguageChange;
        return false;
    }
    int count = 0;
};

class LanguageSwitchTest : public testing::Test {
protected:
    LanguageSwitchTest() : registry(test::LanguagesHive({test::GermanLanguage()})) {
        settings::playerSettings().mediaDir = QDir::tempPath();
        document.NewDocument();
    }
    ~LanguageSwitchTest() override {
        if (window) {
            window->languages().Activate(0);
        }
        window.reset();
    }
    frame::CMainFrame& MakeWindow() {
        window = std::make_unique<frame::CMainFrame>(document, services);
        return *window;
    }
    void StoreCode(const QString& code) {
        reg::RegKey key =
            settings::openApplicationKey(reg::Registry::instance(), settings::keys::kMainFrame);
        key.setString(settings::keys::kLanguageCode, code);
    }
    QString StoredCode() {
        const reg::RegKey key =
            settings::openApplicationKey(reg::Registry::instance(), settings::keys::kMainFrame);
        return settings::loadMainFrameSettings(key).languageCode;
    }
    // Opens View > Language as the user does and picks the item at index.
    void ChooseLanguage(int index) {
        QMenu* popup = LanguagePopup(*window);
        ASSERT_TRUE(popup);
        Q_EMIT popup->aboutToShow();
        for (QAction* item : popup->actions()) {
            if (item->data().toInt() == kLanguageFirst + index) {
                item->trigger();
                return;
            }
        }
        FAIL() << "no language item " << index;
    }

    test::SettingsScope settingsScope;
    test::ProcessRegistry registry;
    playlist::CTaviDoc document;
    test::RecordingServices services;
    std::unique_ptr<frame::CMainFrame> window;
};

TEST_F(LanguageSwitchTest, ChoosingGermanRebuildsEveryTextAtOnceAndEnglishRestoresThem) {
    frame::CMainFrame& f = MakeWindow();
    const QStringList english = PersistentTexts(f);
    ASSERT_EQ(f.menuBar()->actions().first()->text(), QStringLiteral("&File"));
    ChooseLanguage(1);
    EXPECT_EQ(f.languages().ActiveLanguage().isoCode, QStringLiteral("de"));
    QStringList titles;
    for (const QAction* popup : f.menuBar()->actions()) {
        titles << popup->text();
    }
    EXPECT_EQ(titles, (QStringList{QStringLiteral("&Datei"), QStringLiteral("&Bearbeiten"),
                                   QStringLiteral("&Ansicht"), QStringLiteral("&Playliste"),
                                   QStringLiteral("&Medien"), QStringLiteral("P&rogramme"),
                                   QStringLiteral("E&xtras"), QStringLiteral("&Hilfe")}));
    EXPECT_EQ(f.bars().mainToolBar()->windowTitle(), QStringLiteral("Hauptsymbolleiste"));
    EXPECT_EQ(f.windowTitle(),
              QStringLiteral("Unbenannt - ") + QApplication::applicationDisplayName());
    EXPECT_EQ(f.positionSlider()->toolTip(),
              QStringLiteral("Die relative Position im Titel anzeigen"));
    const QDockWidget* output = f.findChild<QDockWidget*>(QStringLiteral("ConsoleBar"));
    if (output) {
        EXPECT_EQ(output->windowTitle(), QStringLiteral("Ausgabe"));
    }
    const QStringList german = PersistentTexts(f);
    EXPECT_NE(german, english);

    ChooseLanguage(0);
    const QStringList back = PersistentTexts(f);
    EXPECT_EQ(back, english);
    EXPECT_EQ(f.windowTitle(),
              QStringLiteral("Untitled - ") + QApplication::applicationDisplayName());
    for (const QString& text : back) {
        EXPECT_TRUE(english.contains(text)) << "not English: " << text.toStdString();
    }
    EXPECT_EQ(f.languages().ActiveIndex(), 0);
}

TEST_F(LanguageSwitchTest, TheOptionsSheetOpenedAfterASwitchIsGerman) {
    frame::CMainFrame& f = MakeWindow();
    ChooseLanguage(1);
    ui::COptionsSheet sheet(ui::OptionsPageRegistry::instance(), &f);
    const auto* tree = sheet.findChild<QTreeWidget*>();
    ASSERT_TRUE(tree);
    QStringList captions;
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        captions << tree->topLevelItem(i)->text(0);
    }
    EXPECT_TRUE(captions.contains(QStringLiteral("Allgemein")))
        << captions.join(u',').toStdString();
    EXPECT_TRUE(captions.contains(QStringLiteral("Musikordner")));
    EXPECT_TRUE(captions.contains(QStringLiteral("Priorität")));
    EXPECT_EQ(sheet.windowTitle(), QStringLiteral("Optionen"));
    QStringList buttons;
    for (const QAbstractButton* button : sheet.findChildren<QAbstractButton*>()) {
        buttons << button->text();
    }
    EXPECT_TRUE(buttons.contains(QStringLiteral("Wiedergabe automatisch &starten")));
    EXPECT_TRUE(buttons.contains(QStringLiteral("&Abbrechen")) ||
                buttons.contains(QStringLiteral("Abbrechen")))
        << buttons.join(u',').toStdString();
    // The pages keep their English keys.
    EXPECT_TRUE(sheet.Captions().contains(QStringLiteral("General")));
}

TEST_F(LanguageSwitchTest, ChoosingTheActiveLanguageDoesNothing) {
    frame::CMainFrame& f = MakeWindow();
    ChooseLanguage(1);
    LanguageChangeCounter counter;
    f.installEventFilter(&counter);
    ChooseLanguage(1);
    EXPECT_EQ(counter.count, 0);
    EXPECT_EQ(f.languages().ActiveIndex(), 1);
    f.removeEventFilter(&counter);
}

TEST_F(LanguageSwitchTest, TheStoredCodeRulesAndClosingStoresTheActiveOne) {
    StoreCode(QStringLiteral("DE"));
    frame::CMainFrame& f = MakeWindow();
    EXPECT_EQ(f.menuBar()->actions().first()->text(), QStringLiteral("&Datei"));
    ChooseLanguage(0);
    f.close();
    EXPECT_EQ(StoredCode(), QStringLiteral("en"));
}

TEST_F(LanguageSwitchTest, AFirstStartFollowsTheUsersLocaleALaterOneTheStoredChoice) {
    const QByteArray oldLang = qgetenv("LANG");
    const QByteArray oldLanguage = qgetenv("LANGUAGE");
    const QByteArray oldAll = qgetenv("LC_ALL");
    const QByteArray oldMessages = qgetenv("LC_MESSAGES");
    qunsetenv("LANGUAGE");
    qunsetenv("LC_ALL");
    qunsetenv("LC_MESSAGES");
    qputenv("LANG", "de_DE.UTF-8");
    MakeWindow();
    EXPECT_EQ(window->languages().ActiveLanguage().isoCode, QStringLiteral("de"));
    window->languages().Activate(0);
    window.reset();

    StoreCode(QStringLiteral("en"));
    MakeWindow();
    EXPECT_EQ(window->languages().ActiveIndex(), 0);
    EXPECT_EQ(window->menuBar()->actions().first()->text(), QStringLiteral("&File"));
    qputenv("LANG", oldLang);
    qputenv("LANGUAGE", oldLanguage);
    qputenv("LC_ALL", oldAll);
    qputenv("LC_MESSAGES", oldMessages);
}

}  // namespace
