// The Programs menu's tools: placeholders, keys, defaults, launching without a shell into
// the output window, the menu's items, and the two dialogs.
#include "automation/objects/CConsoleBar.h"
#include "automation/tools/CToolDlg.h"
#include "automation/tools/CToolEditDlg.h"
#include "automation/tools/CToolMenu.h"
#include "automation/tools/LaunchTool.h"
#include "automation/tools/ToolExpansion.h"
#include "support/QtApp.h"
#include "support/TempRegistry.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTemporaryDir>

using namespace tavi::automation;
using namespace tavi::automation::tools;
using tavi::test::processEventsUntil;

namespace {

QString WriteFile(const QString& path, const QByteArray& text, bool executable = false) {
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(text);
    file.close();
    if (executable) {
        file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
    }
    return path;
}

TEST(ToolPlaceholders, NameTheFilesParts) {
    EXPECT_EQ(ExpandFileParameters(QStringLiteral("$(FileName)$(FileExt)"),
                                   QStringLiteral("/music/a.mp3")),
              QStringLiteral("a.mp3"));
    EXPECT_EQ(ExpandFileFolder(QStringLiteral("$(FileDir)"), QStringLiteral("/music/a.mp3")),
              QStringLiteral("/music/"));
    EXPECT_EQ(ExpandFileParameters(QStringLiteral("-i $(FilePath) $(FileDrive)x $(FileName)"),
                                   QStringLiteral("/m/b.c.flac")),
              QStringLiteral("-i /m/b.c.flac x b.c"));
    EXPECT_EQ(ExpandFileFolder(QStringLiteral("$(FileName)"), QStringLiteral("/m/a.mp3")),
              QStringLiteral("$(FileName)"))
        << "a start folder takes only the folder and the drive";
    qputenv("TAVI_TOOL_TEST", "/opt/t");
    EXPECT_EQ(ExpandEnvironment(QStringLiteral("%TAVI_TOOL_TEST%/bin %NOT_SET_ANYWHERE% 100%")),
              QStringLiteral("/opt/t/bin %NOT_SET_ANYWHERE% 100%"));
}

TEST(ToolList, DefaultsOnAFirstStartAndNoStaleKeysAfterRemovals) {
    tavi::test::TempRegistry registry;
    QTemporaryDir music;
    auto program = [&] {
        return registry->open(tavi::reg::Root::CurrentUser,
                              QStringLiteral("Software\\Kestrova\\Tavi"), true);
    };
    CToolList list;
    tavi::reg::RegKey key = program();
    list.Load(key);
    ASSERT_TRUE(list.IsEmpty());
    list.AddDefaultTools(QStringLiteral("/usr/bin/pavucontrol"), music.path());
    ASSERT_EQ(list.tools().size(), 2u);
    EXPECT_EQ(list.tools()[0].description, QStringLiteral("Mixer"));
    EXPECT_EQ(list.tools()[0].startOptions, 1u);
    EXPECT_EQ(list.tools()[1].description, QDir(music.path()).dirName());
    list.tools().push_back(list.tools()[0]);
    ASSERT_TRUE(list.Save(key));
    list.tools().erase(list.tools().begin(), list.tools().begin() + 2);
    ASSERT_TRUE(list.Save(key));
    registry.reopen();
    tavi::reg::RegKey again = program();
    EXPECT_EQ(again.subKey(QStringLiteral("Tool Menu")).subKeyNames(),
              QStringList{QStringLiteral("Tool 1")});
    CToolList read;
    read.Load(again);
    ASSERT_EQ(read.tools().size(), 1u);
    EXPECT_EQ(read.tools()[0].commandLine, QStringLiteral("/usr/bin/pavucontrol"));
}

TEST(ToolLaunch, AFileNameIsOneArgumentAndRunsNothing) {
    QTemporaryDir dir;
    CConsoleBar bar;
    CTool tool;
    tool.commandLine = QStringLiteral("/bin/echo");
    tool.parameters = QStringLiteral("[$(FilePath)]");
    tool.startFolder = QStringLiteral("$(FileDir)");
    tool.useConsole = true;
    for (const char* name : {"a; touch pwned.mp3", "$(touch pwned).mp3", "`touch pwned`.mp3"}) {
        bar.SetText(QString());
        const QString file = dir.filePath(QLatin1String(name));
        ASSERT_TRUE(LaunchTool(tool, file, &bar.process()));
        ASSERT_TRUE(processEventsUntil(
            [&] { return bar.Text().endsWith(QStringLiteral("finished.\n")); }, 5000));
        EXPECT_TRUE(bar.Text().contains(QLatin1Char('[') + file + QStringLiteral("]\n")))
            << bar.Text().toStdString();
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList()) << "nothing was created";
    tool.commandLine = QStringLiteral("/no/such/converter");
    EXPECT_FALSE(LaunchTool(tool, std::nullopt, &bar.process()));
    EXPECT_TRUE(
        bar.Text().endsWith(QStringLiteral("Unable to start /no/such/converter [$(FilePath)]\n")));
}

TEST(ToolCommand, AConsoleProgramTurnsTheOutputWindowOn) {
    QTemporaryDir dir;
    CTool script;
    script.SetToolCommand(
        WriteFile(dir.filePath(QStringLiteral("tag.sh")), "#!/bin/sh\necho hi\n", true));
    EXPECT_TRUE(script.useConsole);
    EXPECT_EQ(script.description, QStringLiteral("tag"));
    EXPECT_EQ(script.startFolder, dir.path() + QLatin1Char('/'));
    CTool windowed;
    windowed.SetToolCommand(
        WriteFile(dir.filePath(QStringLiteral("viewer.desktop")),
                  "[Desktop Entry]\nType=Application\nExec=viewer\nTerminal=false\n"));
    EXPECT_FALSE(windowed.useConsole);
    CTool already;
    already.useConsole = true;
    already.SetToolCommand(dir.filePath(QStringLiteral("viewer.desktop")));
    EXPECT_TRUE(already.useConsole) << "a windowed program leaves the choice as it was";
    EXPECT_TRUE(CTool::IsConsoleProgram(QStringLiteral("/bin/ls")));
}

TEST(ToolMenu, ToolsComeBeforeTheMenusOwnItemsAndAreMadeAnewOnOpening) {
    QMenu popup;
    popup.addAction(QStringLiteral("&Edit..."));
    CToolMenu menu([] { return nullptr; });
    CTool tool;
    tool.description = QStringLiteral("Tagger");
    menu.list().tools() = {tool, tool};
    menu.Attach(&popup);
    ASSERT_EQ(popup.actions().size(), 4);
    EXPECT_EQ(popup.actions()[1]->data().toInt(), CToolMenu::kFirstId + 1);
    menu.list().tools().pop_back();
    menu.Fill();
    ASSERT_EQ(popup.actions().size(), 3);
    EXPECT_EQ(popup.actions()[0]->text(), QStringLiteral("Tagger"));
    EXPECT_TRUE(popup.actions()[1]->isSeparator());
    EXPECT_FALSE(menu.Run(CToolMenu::kFirstId + 5));
}

TEST(ToolDialogs, PlaceholdersGoToTheCaretAndDeletingMovesTheSelection) {
    CTool tool;
    tool.parameters = QStringLiteral("-q  out");
    CToolDlg properties(tool);
    properties.parametersEdit()->setCursorPosition(3);
    properties.InsertPlaceholder(CToolDlg::kFilePath);
    properties.InsertPlaceholder(9999);
    EXPECT_EQ(properties.Tool().parameters, QStringLiteral("-q $(FilePath) out"));
    EXPECT_EQ(CToolDlg::WindowModes().size(), 10);

    CToolList list;
    for (const char* name : {"a", "b", "c"}) {
        CTool t;
        t.description = QLatin1String(name);
        list.tools().push_back(t);
    }
    CToolEditDlg edit(list, [](CTool&, QWidget*) { return false; }, {});
    edit.list()->setCurrentRow(1);
    edit.DeleteSelected();
    EXPECT_EQ(edit.list()->currentRow(), 1) << "the next one is selected";
    edit.DeleteSelected();
    EXPECT_EQ(edit.list()->currentRow(), -1) << "deleting the last leaves no selection";
    ASSERT_EQ(edit.Result().tools().size(), 1u);
    EXPECT_EQ(edit.Result().tools()[0].description, QStringLiteral("a"));
    EXPECT_EQ(list.tools().size(), 3u) << "the dialog works on a copy";
}

}  // namespace
