// Macros as the program runs them: listed in the registry, loaded with the main window,
// started by the start-up command, hearing the real player's events and writing to the
// real console; removed while running, also by their own script.
#include "../ObjectTestSupport.h"

#include "automation/objects/CConsoleDispatch.h"
#include "automation/script/CMacroList.h"
#include "support/ProcessRegistry.h"

#include <QApplication>
#include <QTemporaryDir>

using namespace tavi::automation;
using namespace tavi::test;

namespace {

const char* const kJsMacro =
    "Console.WriteLine('js loaded');\n"
    "function Application_Startup() { Console.WriteLine('js startup'); }\n"
    "function Player_Start() { Console.WriteLine('js start ' + Player.FileName); }\n"
    "function Player_Stop() { Console.WriteLine('js stop'); }\n";
const char* const kLuaMacro =
    "Console:WriteLine('lua loaded')\n"
    "function Application_Startup() Console.WriteLine('lua startup') end\n"
    "function Player_Start() Console.WriteLine('lua start ' .. Player.FileName) end\n"
    "function Player_Stop() Console.WriteLine('lua stop') end\n";

class MacroListTest : public ObjectModelTest {
protected:
    MacroListTest() : ObjectModelTest(true) {}

    QString WriteScript(const char* name, const char* text) {
        QFile file(m_dir.filePath(QLatin1String(name)));
        file.open(QIODevice::WriteOnly);
        file.write(text);
        return file.fileName();
    }
    // A macro's key as a user's hive holds it.
    void Register(const char* name, const QString& file, bool startup) {
        tavi::reg::RegKey key = tavi::reg::Registry::instance().open(
            tavi::reg::Root::CurrentUser,
            QStringLiteral("Software\\Kestrova\\Tavi\\Macros\\%1").arg(QLatin1String(name)), true);
        key.setString(QStringLiteral("FileName"), file);
        if (startup) {
            key.setBinary(QStringLiteral("Startup"), QByteArray("\x01\0\0\0", 4));
        }
    }
    QStringList ConsoleLines() const {
        return host->console->Text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }
    script::CMacroList& macros() { return objects->macroList(); }

    ProcessRegistry registry;

private:
    QTemporaryDir m_dir;
};

TEST_F(MacroListTest, StartupMacrosRunBeforeStartupAndHearThePlayersEvents) {
    Register("js", WriteScript("events.js", kJsMacro), true);
    Register("lua", WriteScript("events.lua", kLuaMacro), true);
    Register("idle", WriteScript("idle.js", "Console.WriteLine('idle ran');"), false);
    macros().LoadAllMacros();
    ASSERT_EQ(macros().Count(), 3);
    EXPECT_TRUE(ConsoleLines().isEmpty()) << "loading runs nothing";
    objects->RunStartup();
    EXPECT_EQ(ConsoleLines(),
              (QStringList{QStringLiteral("js loaded"), QStringLiteral("lua loaded"),
                           QStringLiteral("js startup"), QStringLiteral("lua startup")}));
    EXPECT_FALSE(macros().Find(QStringLiteral("idle"))->IsScriptRunning())
        << "a macro without a Startup value does not start";

    host->console->SetText(QString());
    fill({QStringLiteral("0.pause")}, 0);
    host->player->RunPlayerCommand(tavi::engines::playercmd::kPlay);
    ASSERT_TRUE(processEventsUntil([&] { return ConsoleLines().size() >= 4; }, 3000));
    EXPECT_EQ(ConsoleLines(),
              (QStringList{QStringLiteral("js start 0.pause"), QStringLiteral("lua start 0.pause"),
                           QStringLiteral("js stop"), QStringLiteral("lua stop")}));
    macros().CloseAllMacros();
    EXPECT_EQ(objects->Player()->SinkCount(), 0u);
}

TEST_F(MacroListTest, UninstallingARunningMacroClosesItsEngineAndKeepsItsFile) {
    const QString file = WriteScript("events.js", kJsMacro);
    Register("js", file, true);
    macros().LoadAllMacros();
    objects->RunStartup();
    auto macro = macros().Find(QStringLiteral("js"));
    ASSERT_TRUE(macro->IsScriptRunning());
    ASSERT_EQ(objects->Player()->SinkCount(), 1u);
    EXPECT_TRUE(macros().Remove(QStringLiteral("js")));
    EXPECT_FALSE(macro->HasEngine());
    EXPECT_EQ(objects->Player()->SinkCount(), 0u);
    EXPECT_TRUE(QFile::exists(file));
    EXPECT_FALSE(tavi::reg::Registry::instance()
                     .open(tavi::reg::Root::CurrentUser,
                           QStringLiteral("Software\\Kestrova\\Tavi\\Macros\\js"))
                     .isValid());
}

TEST_F(MacroListTest, AScriptMayRemoveItsOwnMacroWhileItRuns) {
    Register("self",
             WriteScript("self.lua",
                         "Application.Macros:Remove('self')\n"
                         "Console.WriteLine('still here')\n"),
             true);
    macros().LoadAllMacros();
    objects->RunStartup();
    EXPECT_EQ(macros().Count(), 0);
    EXPECT_EQ(ConsoleLines(), QStringList{QStringLiteral("still here")});
    processEventsFor(20);  // the engine is closed once its code has returned
}

TEST_F(MacroListTest, MacroObjectsDriveTheEngine) {
    DispatchObject& collection = Object(Get(app(), QStringLiteral("Macros")));
    auto macro = Get(collection, QStringLiteral("Add"), {Str("live")});
    EXPECT_TRUE(Get(Object(macro), QStringLiteral("Create"), {Str("Lua")}).ToBool());
    Put(Object(macro), QStringLiteral("Enabled"), Variant::FromBool(true));
    EXPECT_TRUE(Get(Object(macro), QStringLiteral("Enabled")).ToBool());
    Get(Object(macro), QStringLiteral("AddCode"),
        {Str("function Twice(x) return 2 * x end Console.WriteLine('code ran')")});
    EXPECT_EQ(ConsoleLines(), QStringList{QStringLiteral("code ran")});
    const Variant global = Get(Object(macro), QStringLiteral("Dispatch"));
    EXPECT_EQ(Get(Object(global), QStringLiteral("Twice"), {Int(21)}), Int(42));
    Put(Object(macro), QStringLiteral("FileName"),
        Variant::FromString(WriteScript("later.js", "Console.WriteLine('file ran');")));
    EXPECT_EQ(ConsoleLines().last(), QStringLiteral("file ran")) << "a new file runs at once";
    Put(Object(macro), QStringLiteral("Enabled"), Variant::FromBool(false));
    EXPECT_FALSE(Get(Object(macro), QStringLiteral("Enabled")).ToBool());
}

TEST_F(MacroListTest, TheShippedExamplesLoadAndRun) {
    Register("now", QStringLiteral(TAVI_EXAMPLES_DIR "/now-playing.js"), true);
    Register("skip", QStringLiteral(TAVI_EXAMPLES_DIR "/skip-short.lua"), true);
    macros().LoadAllMacros();
    objects->RunStartup();
    ASSERT_TRUE(macros().Find(QStringLiteral("now"))->IsScriptRunning());
    ASSERT_TRUE(macros().Find(QStringLiteral("skip"))->IsScriptRunning());
    fill({QStringLiteral("3.pause")}, 0);
    host->player->RunPlayerCommand(tavi::engines::playercmd::kPlay);
    ASSERT_TRUE(processEventsUntil([&] { return ConsoleLines().size() >= 2; }, 3000));
    EXPECT_EQ(ConsoleLines(), (QStringList{QStringLiteral("now-playing.js is listening"),
                                           QStringLiteral("3.pause  (0:03)")}))
        << "the pause entry is not skipped";
}

}  // namespace

// A handler that throws is that macro's error alone: the other macros hear the same event,
// and the throwing macro hears the next one.
TEST_F(MacroListTest, AHandlerThatThrowsDoesNotKeepTheEventFromOtherMacros) {
    Register("a-thrower", WriteScript("thrower.js",
                                      "function Player_Start() { throw new Error('boom'); }\n"
                                      "function Player_Stop() { Console.WriteLine('js stop'); }\n"),
             true);
    Register("b-lua", WriteScript("events.lua", kLuaMacro), true);
    Register("c-lua-thrower", WriteScript("thrower.lua",
                                          "function Player_Start() error('bang') end\n"
                                          "function Player_Stop() Console.WriteLine('lua2 stop') end\n"),
             true);
    macros().LoadAllMacros();
    objects->RunStartup();
    host->console->SetText(QString());
    fill({QStringLiteral("0.pause")}, 0);
    host->player->RunPlayerCommand(tavi::engines::playercmd::kPlay);
    ASSERT_TRUE(processEventsUntil(
        [&] { return ConsoleLines().contains(QStringLiteral("lua2 stop")); }, 5000))
        << qPrintable(ConsoleLines().join(u'|'));
    const QStringList lines = ConsoleLines();
    EXPECT_TRUE(lines.contains(QStringLiteral("lua start 0.pause"))) << qPrintable(lines.join(u'|'));
    EXPECT_TRUE(lines.contains(QStringLiteral("lua stop")));
    EXPECT_TRUE(lines.contains(QStringLiteral("js stop")));
    macros().CloseAllMacros();
}
