// The display languages: which registrations are offered, how a stored code selects one,
// the View > Language items, the user's locale on a first start, and Qt's own texts.
#include "support/LanguageHive.h"
#include "support/ProcessRegistry.h"
#include "ui/language/CLanguageMenu.h"
#include "ui/language/UserLocale.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>

using namespace tavi;
using test::LanguageKey;

namespace {

constexpr int kFirst = 43000;

struct Item {
    QString text;
    int id;
    bool checked;
    bool operator==(const Item&) const = default;
};

std::vector<Item> Items(QMenu& menu) {
    std::vector<Item> items;
    for (QAction* action : menu.actions()) {
        items.push_back({action->text(), action->data().toInt(), action->isChecked()});
    }
    return items;
}

class LanguageMenuTest : public testing::Test {
protected:
    ~LanguageMenuTest() override { languages.reset(); }

    ui::CLanguageMenu& Languages(std::initializer_list<LanguageKey> keys) {
        if (keys.size() > 0) {
            registry.writeSystemFile(test::LanguagesHive(keys));
        }
        languages = std::make_unique<ui::CLanguageMenu>([this](int id) { chosen.push_back(id); });
        return *languages;
    }
    // The popup as the menu resource has it: the placeholder between two other items.
    void MakePopup() {
        menu.addAction(QStringLiteral("before"))->setData(1);
        menu.addAction(QStringLiteral("Default Language"))->setData(kFirst);
        menu.addAction(QStringLiteral("after"))->setData(2);
    }

    test::ProcessRegistry registry;
    std::unique_ptr<ui::CLanguageMenu> languages;
    std::vector<int> chosen;
    QMenu menu;
};

TEST_F(LanguageMenuTest, WithoutLanguagesKeyThePopupHoldsOnlyEnglishWithTheRadioCheck) {
    ui::CLanguageMenu& selector = Languages({});
    MakePopup();
    selector.FillMenu(&menu, kFirst);
    EXPECT_EQ(Items(menu), (std::vector<Item>{{QStringLiteral("before"), 1, false},
                                              {QStringLiteral("&English"), kFirst, true},
                                              {QStringLiteral("after"), 2, false}}));
    EXPECT_EQ(selector.InsertedCount(), 1);
    EXPECT_EQ(selector.ActiveLanguage().isoCode, QStringLiteral("en"));
    EXPECT_EQ(selector.ActiveLanguage().lcid, 1033u);
}

TEST_F(LanguageMenuTest, OnlyCompleteRegistrationsWhoseFileLoadsAreListed) {
    QTemporaryDir folder;
    const QString broken = folder.filePath(QStringLiteral("broken.qm"));
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a translation");
    file.close();
    const QString qm = test::GermanTranslationFile();
    ui::CLanguageMenu& selector = Languages({
        {QStringLiteral("NoName"), QStringLiteral("00000407"), QStringLiteral("de"), QString(), qm},
        {QStringLiteral("ZeroLcid"), QStringLiteral("00000000"), QStringLiteral("de"),
         QStringLiteral("Zero"), qm},
        {QStringLiteral("NoIso"), QStringLiteral("00000407"), QString(), QStringLiteral("NoIso"),
         qm},
        {QStringLiteral("EmptyIso"), QStringLiteral("00000407"), QStringLiteral(""),
         QStringLiteral("EmptyIso"), qm},
        {QStringLiteral("NoFile"), QStringLiteral("00000407"), QStringLiteral("de"),
         QStringLiteral("NoFile"), QString()},
        {QStringLiteral("Missing"), QStringLiteral("00000407"), QStringLiteral("de"),
         QStringLiteral("Missing"), folder.filePath(QStringLiteral("gone.qm"))},
        {QStringLiteral("Broken"), QStringLiteral("00000407"), QStringLiteral("de"),
         QStringLiteral("Broken"), broken},
        {QStringLiteral("Named"), QStringLiteral("00000407"), QStringLiteral("de-AT"),
         QStringLiteral("Deutsch (AT)"), qm},
    });
    // The hive lists subkeys by name, as the registry enumerates them.
    MakePopup();
    selector.FillMenu(&menu, kFirst);
    EXPECT_EQ(Items(menu), (std::vector<Item>{{QStringLiteral("before"), 1, false},
                                              {QStringLiteral("&English"), kFirst, true},
                                              {QStringLiteral("&Deutsch (AT)"), kFirst + 1, false},
                                              {QStringLiteral("&NoName"), kFirst + 2, false},
                                              {QStringLiteral("after"), 2, false}}));
    EXPECT_EQ(selector.At(1).resourceFile, qm);
}

TEST_F(LanguageMenuTest, TheMenuIsRebuiltAtEveryOpeningWithTheActiveLanguageChecked) {
    ui::CLanguageMenu& selector = Languages({test::GermanLanguage()});
    MakePopup();
    selector.FillMenu(&menu, kFirst);
    ASSERT_EQ(menu.actions().size(), 4);
    menu.actions()[2]->trigger();
    EXPECT_EQ(chosen, std::vector<int>{kFirst + 1});
    ASSERT_TRUE(selector.Activate(1));
    // A language registered meanwhile appears at the next opening, where the old items were.
    test::LanguageKey other = test::GermanLanguage();
    other.subKey = QStringLiteral("Swiss");
    other.isoCode = QStringLiteral("de-CH");
    other.name = QStringLiteral("Schwiizerdütsch");
    registry.writeSystemFile(test::LanguagesHive({test::GermanLanguage(), other}));
    selector.FillMenu(&menu, kFirst);
    EXPECT_EQ(Items(menu),
              (std::vector<Item>{{QStringLiteral("before"), 1, false},
                                 {QStringLiteral("&English"), kFirst, false},
                                 {QStringLiteral("&Deutsch"), kFirst + 1, true},
                                 {QStringLiteral("&Schwiizerdütsch"), kFirst + 2, false},
                                 {QStringLiteral("after"), 2, false}}));
    EXPECT_EQ(selector.InsertedCount(), 3);
    selector.Activate(0);
}

TEST_F(LanguageMenuTest, TheCheckStaysOnTheActiveLanguageWhenTheListChangesAroundIt) {
    ui::CLanguageMenu& selector = Languages({test::GermanLanguage()});
    ASSERT_TRUE(selector.SelectByCode(QStringLiteral("de")));
    // "Austrian" is listed before "German", which moves from index 1 to 2.
    test::LanguageKey austrian = test::GermanLanguage();
    austrian.subKey = QStringLiteral("Austrian");
    austrian.isoCode = QStringLiteral("de-AT");
    austrian.name = QStringLiteral("Österreichisch");
    registry.writeSystemFile(test::LanguagesHive({test::GermanLanguage(), austrian}));
    MakePopup();
    selector.FillMenu(&menu, kFirst);
    EXPECT_EQ(Items(menu),
              (std::vector<Item>{{QStringLiteral("before"), 1, false},
                                 {QStringLiteral("&English"), kFirst, false},
                                 {QStringLiteral("&Österreichisch"), kFirst + 1, false},
                                 {QStringLiteral("&Deutsch"), kFirst + 2, true},
                                 {QStringLiteral("after"), 2, false}}));
    EXPECT_EQ(selector.ActiveIndex(), 2);
    // Unregistered while active: it stays in use, and no item carries the check.
    registry.writeSystemFile(test::LanguagesHive({austrian}));
    selector.FillMenu(&menu, kFirst);
    EXPECT_EQ(selector.ActiveIndex(), -1);
    EXPECT_EQ(selector.ActiveLanguage().isoCode, QStringLiteral("de"));
    for (const Item& item : Items(menu)) {
        EXPECT_FALSE(item.checked) << item.text.toStdString();
    }
    selector.Activate(0);
}

TEST_F(LanguageMenuTest, StoredCodesSelectIgnoringCaseAndUnknownOnesKeepEnglish) {
    ui::CLanguageMenu& selector = Languages({test::GermanLanguage()});
    EXPECT_TRUE(selector.SelectByCode(QStringLiteral("DE")));
    EXPECT_EQ(selector.ActiveIndex(), 1);
    EXPECT_EQ(QCoreApplication::translate("Menu", "&File"), QStringLiteral("&Datei"));
    EXPECT_TRUE(selector.SelectByCode(QStringLiteral("EN")));
    EXPECT_EQ(selector.ActiveIndex(), 0);
    EXPECT_EQ(QCoreApplication::translate("Menu", "&File"), QStringLiteral("&File"));
    EXPECT_TRUE(selector.SelectByCode(QStringLiteral("fr")));
    EXPECT_EQ(selector.ActiveIndex(), 0);
}

TEST_F(LanguageMenuTest, AModuleThatNoLongerLoadsChangesNothing) {
    QTemporaryDir folder;
    const QString copy = folder.filePath(QStringLiteral("tavi_de.qm"));
    ASSERT_TRUE(QFile::copy(test::GermanTranslationFile(), copy));
    test::LanguageKey german = test::GermanLanguage();
    german.resourceFile = copy;
    ui::CLanguageMenu& selector = Languages({german});
    selector.LoadList();
    ASSERT_EQ(selector.Count(), 2);
    ASSERT_TRUE(QFile::remove(copy));
    EXPECT_FALSE(selector.Activate(1));
    EXPECT_EQ(selector.ActiveIndex(), 0);
    EXPECT_EQ(QCoreApplication::translate("Menu", "&File"), QStringLiteral("&File"));
    EXPECT_FALSE(selector.Activate(7));
}

TEST_F(LanguageMenuTest, QtsOwnTextsFollowTheLanguage) {
    ui::CLanguageMenu& selector = Languages({test::GermanLanguage()});
    ASSERT_TRUE(selector.SelectByCode(QStringLiteral("de")));
    {
        QDialogButtonBox buttons(QDialogButtonBox::Cancel);
        EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Abbrechen"));
    }
    ASSERT_TRUE(selector.Activate(0));
    QDialogButtonBox buttons(QDialogButtonBox::Cancel);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Cancel"));
}

TEST_F(LanguageMenuTest, AFirstStartTakesTheLanguageTheUsersLocaleNames) {
    ui::CLanguageMenu& selector = Languages({test::GermanLanguage()});
    EXPECT_EQ(selector.CodeForLocales({QStringLiteral("de_AT"), QStringLiteral("de")}),
              QStringLiteral("de"));
    EXPECT_EQ(selector.CodeForLocales({QStringLiteral("fr_FR"), QStringLiteral("fr")}),
              QStringLiteral("en"));
    EXPECT_EQ(selector.CodeForLocales(
                  {QStringLiteral("en_GB"), QStringLiteral("en"), QStringLiteral("de")}),
              QStringLiteral("en"));
    EXPECT_EQ(selector.CodeForLocales({}), QStringLiteral("en"));
}

struct LocaleCase {
    const char* language;
    const char* lcAll;
    const char* lcMessages;
    const char* lang;
    QStringList codes;
};

TEST(UserLocale, TheMessageLocalesComeInGettextsOrder) {
    const LocaleCase cases[] = {
        {"", "", "", "de_DE.UTF-8", {QStringLiteral("de_DE"), QStringLiteral("de")}},
        {"", "", "fr_FR.UTF-8", "de_DE.UTF-8", {QStringLiteral("fr_FR"), QStringLiteral("fr")}},
        {"", "it_IT", "fr_FR", "de_DE", {QStringLiteral("it_IT"), QStringLiteral("it")}},
        {"de_CH:fr",
         "",
         "",
         "en_US.UTF-8",
         {QStringLiteral("de_CH"), QStringLiteral("de"), QStringLiteral("fr"),
          QStringLiteral("en_US"), QStringLiteral("en")}},
        {"de", "", "", "C", {}},  // LANGUAGE does not count in the C locale
        {"", "", "", "POSIX", {}},
        {"", "", "", "", {}},
        {"", "", "", "sr_RS.UTF-8@latin", {QStringLiteral("sr_RS"), QStringLiteral("sr")}},
    };
    for (const LocaleCase& c : cases) {
        EXPECT_EQ(ui::LocaleCodesOf(QString::fromLatin1(c.language), QString::fromLatin1(c.lcAll),
                                    QString::fromLatin1(c.lcMessages), QString::fromLatin1(c.lang)),
                  c.codes)
            << c.language << "|" << c.lcAll << "|" << c.lcMessages << "|" << c.lang;
    }
}

}  // namespace
