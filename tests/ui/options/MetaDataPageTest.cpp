// The "Meta Data" options page: what it shows, which controls it enables, what it stores.
#include "app/settings/ViewSettings.h"
#include "support/QtPrinters.h"
#include "support/SettingsScope.h"
#include "ui/options/CMetaDataPage.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

using tavi::settings::viewSettings;
using tavi::ui::CMetaDataPage;

namespace {

class MetaDataPage : public testing::Test {
private:
    tavi::test::SettingsScope m_settings{tavi::test::SettingsScope::Keep};
};

std::vector<bool> Enabled(const CMetaDataPage& page) {
    return {page.formatEdit()->isEnabled(), page.formatLabel()->isEnabled(),
            page.legendLabel()->isEnabled(), page.legend()->isEnabled()};
}

}  // namespace

TEST_F(MetaDataPage, ShowsTheSettingsTheTextsAndTheLegend) {
    viewSettings().useMetaData = true;
    viewSettings().displayNameFormat = QStringLiteral("$(Title) [$(Year)]");
    CMetaDataPage page;
    EXPECT_EQ(page.windowTitle(), QStringLiteral("Meta Data"));
    EXPECT_TRUE(page.useMetaDataBox()->isChecked());
    EXPECT_EQ(page.useMetaDataBox()->text(),
              QStringLiteral("Use meta-data in MP3 and Windows Media files"));
    EXPECT_EQ(page.formatEdit()->text(), QStringLiteral("$(Title) [$(Year)]"));
    EXPECT_EQ(page.formatLabel()->text(), QStringLiteral("Use this format to display media items"));
    EXPECT_EQ(page.legendLabel()->text(), QStringLiteral("Available macros are:"));
    EXPECT_EQ(page.legend()->toPlainText(),
              QStringLiteral("$(Artist)  $(Title)\n$(Album)  $(Year)\n$(Genre)  $(Rating)\n"
                             "$(Description)  $(Copyright)"));
    EXPECT_TRUE(page.legend()->isReadOnly());
}

TEST_F(MetaDataPage, TheFormatControlsAreEnabledExactlyWhenTheBoxIsTicked) {
    for (const bool initially : {false, true}) {
        viewSettings().useMetaData = initially;
        CMetaDataPage page;
        EXPECT_EQ(Enabled(page), std::vector<bool>(4, initially)) << initially;
        page.useMetaDataBox()->click();
        EXPECT_EQ(Enabled(page), std::vector<bool>(4, !initially)) << initially;
        page.useMetaDataBox()->click();
        EXPECT_EQ(Enabled(page), std::vector<bool>(4, initially)) << initially;
    }
}

TEST_F(MetaDataPage, RefusesPatternsOverTheLimitAndStoresTheRest) {
    struct Case {
        int length;
        bool accepted;
    };
    for (const Case c : {Case{0, true}, Case{255, true}, Case{256, false}, Case{600, false}}) {
        viewSettings().useMetaData = false;
        viewSettings().displayNameFormat = QStringLiteral("old");
        CMetaDataPage page;
        page.useMetaDataBox()->setChecked(true);
        page.formatEdit()->setText(QString(c.length, QLatin1Char('x')));
        QString message;
        EXPECT_EQ(page.Validate(&message), c.accepted) << c.length;
        if (!c.accepted) {
            EXPECT_EQ(message, QStringLiteral("Enter no more than 255 characters."));
            continue;
        }
        page.Apply();
        EXPECT_TRUE(viewSettings().useMetaData);
        EXPECT_EQ(viewSettings().displayNameFormat, QString(c.length, QLatin1Char('x')));
    }
}

TEST_F(MetaDataPage, ALongerStoredPatternIsShownWholeAndNotCutSilently) {
    viewSettings().displayNameFormat = QString(300, QLatin1Char('y'));
    CMetaDataPage page;
    EXPECT_EQ(page.formatEdit()->text().size(), 300);
    EXPECT_FALSE(page.Validate(nullptr));
}
