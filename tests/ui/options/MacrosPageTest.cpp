// The Add-ins page over a real macro list: its rows, the context menu's rules and commands,
// and what OK writes.
#include "automation/script/CMacroList.h"
#include "support/ProcessRegistry.h"
#include "ui/options/CMacrosPage.h"

#include <gtest/gtest.h>

#include <QMenu>
#include <QTemporaryDir>
#include <QTreeWidget>

using tavi::automation::script::CMacroList;
using tavi::ui::CMacrosPage;

namespace {

const QString kProgram = QStringLiteral("Software\\Kestrova\\Tavi");

class MacrosPageTest : public testing::Test {
protected:
    MacrosPageTest() {
        for (const char* name : {"alpha", "beta", "gamma"}) {
            const QString file = m_dir.filePath(QLatin1String(name) + QStringLiteral(".js"));
            QFile script(file);
            script.open(QIODevice::WriteOnly);
            script.write("var ready = true;\n");
            script.close();
            macros.CreateMacro(QLatin1String(name))->ReloadMacro(file);
        }
        macros.Find(QStringLiteral("beta"))->RunScript();
    }
    QAction* Action(QMenu& menu, int command) {
        for (QAction* action : menu.actions()) {
            if (action->data().toInt() == command) {
                return action;
            }
        }
        return nullptr;
    }
    void Select(CMacrosPage& page, std::initializer_list<int> rows) {
        page.list()->clearSelection();
        for (int row : rows) {
            page.list()->topLevelItem(row)->setSelected(true);
        }
    }
    tavi::reg::RegKey MacroKey(const QString& name) {
        return tavi::reg::Registry::instance().open(tavi::reg::Root::CurrentUser,
                                                    kProgram + QStringLiteral("\\Macros\\") + name);
    }

    tavi::test::ProcessRegistry registry;
    CMacroList macros{[] {
        return tavi::reg::Registry::instance().open(tavi::reg::Root::CurrentUser, kProgram, true);
    }};

private:
    QTemporaryDir m_dir;
};

TEST_F(MacrosPageTest, RowsShowNameStateAndStartupFlag) {
    CMacrosPage page(macros);
    ASSERT_EQ(page.list()->topLevelItemCount(), 3);
    EXPECT_EQ(page.list()->topLevelItem(1)->text(0), QStringLiteral("beta"));
    EXPECT_EQ(page.list()->topLevelItem(1)->text(1), QStringLiteral("Running"));
    EXPECT_EQ(page.list()->topLevelItem(0)->text(1), QStringLiteral("Stopped"));
    EXPECT_EQ(page.list()->topLevelItem(0)->text(2), QStringLiteral("No"));
    EXPECT_TRUE(page.list()->topLevelItem(2)->toolTip(0).endsWith(QStringLiteral("gamma.js")));
}

TEST_F(MacrosPageTest, MenuCommandsActOnTheSelectedRows) {
    CMacrosPage page(macros);
    Select(page, {0, 1});
    auto menu = page.CreateContextMenu();
    EXPECT_TRUE(Action(*menu, CMacrosPage::kRun)->isEnabled()) << "alpha is not running";
    EXPECT_TRUE(Action(*menu, CMacrosPage::kStop)->isEnabled()) << "beta is";
    EXPECT_FALSE(Action(*menu, CMacrosPage::kStartup)->isEnabled()) << "two rows selected";
    Action(*menu, CMacrosPage::kRun)->trigger();
    EXPECT_TRUE(macros.Find(QStringLiteral("alpha"))->IsScriptRunning());
    EXPECT_EQ(page.list()->topLevelItem(0)->text(1), QStringLiteral("Running"));
    EXPECT_FALSE(page.CreateContextMenu()->actions().front()->isEnabled()) << "all run now";

    Select(page, {2});
    page.RunCommand(CMacrosPage::kStartup);
    EXPECT_TRUE(macros.Find(QStringLiteral("gamma"))->Startup());
    EXPECT_TRUE(Action(*page.CreateContextMenu(), CMacrosPage::kStartup)->isChecked());
    EXPECT_EQ(page.list()->topLevelItem(2)->text(2), QStringLiteral("Yes"));
}

TEST_F(MacrosPageTest, UninstallRemovesMacrosAndKeysAndApplyWritesTheRest) {
    CMacrosPage page(macros);
    page.Apply();
    ASSERT_TRUE(MacroKey(QStringLiteral("beta")).isValid());
    Select(page, {0, 1});
    page.RunCommand(CMacrosPage::kUninstall);
    EXPECT_EQ(page.list()->topLevelItemCount(), 1);
    EXPECT_EQ(macros.Count(), 1);
    EXPECT_FALSE(MacroKey(QStringLiteral("beta")).isValid()) << "the key goes at once";
    EXPECT_TRUE(MacroKey(QStringLiteral("gamma")).isValid());
    EXPECT_TRUE(MacroKey(QStringLiteral("gamma"))
                    .stringValue(QStringLiteral("FileName"))
                    ->endsWith(QStringLiteral("gamma.js")));
}

}  // namespace
