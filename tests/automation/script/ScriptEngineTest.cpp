// The script engines through the site a macro uses: named items and their events, errors
// raised by scripts and by the objects they call, the time limit, the script's functions
// for clients, and the texts of error reports. Every behaviour is checked in both languages.
#include "automation/dispatch/CCmdTargetPlus.h"
#include "automation/objects/Guids.h"
#include "automation/script/CActiveScriptSite.h"
#include "automation/script/ScriptEngineBase.h"
#include "automation/script/ScriptErrorText.h"
#include "support/ProcessRegistry.h"
#include "support/QtApp.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTemporaryDir>

using namespace tavi::automation;
using namespace tavi::automation::script;

namespace {

// A Player-like source of events with members that record what scripts do with them.
class Recorder : public CCmdTargetPlus {
public:
    Recorder() : CCmdTargetPlus(guids::kPlayer, guids::kPlayer, guids::kPlayerEvents) {
        using T = Variant::Type;
        AddMethod(QStringLiteral("Write"), 1, {T::String}, T::Empty, [this](const auto& a) {
            lines.append(a[0].ToString());
            return Variant();
        });
        AddProperty(
            QStringLiteral("Position"), 2, T::Double,
            [this](const auto&) { return Variant::FromDouble(position); },
            [this](const Variant& value) { position = value.ToDouble(); });
        AddMethod(QStringLiteral("Fail"), 3, {}, T::Empty, [](const auto&) -> Variant {
            throw DispatchException::Raised(QStringLiteral("PlayJingle() is not supported"), 1001);
        });
        AddMethod(QStringLiteral("Twice"), 4, {T::Int32}, T::Int32,
                  [](const auto& a) { return Variant::FromInt32(2 * a[0].ToInt32()); });
    }
    QStringList lines;
    double position = 1.5;
};

struct Language {
    const char* extension;
    // Scripts of the same meaning in each language.
    const char* startAndStop;
    const char* hostError;
    const char* endless;
    const char* syntaxErrorOnLine3;
    const char* functions;
};

const Language kJavaScript{
    "js",
    "Player.Write('loaded ' + Player.Position);\n"
    "function Player_Start() { Player.Write('start'); Player.Position = 4.25; }\n"
    "function Player_Stop() { Player.Write('stop ' + Player.Twice(21)); }\n",
    "try { Player.Fail(); } catch (e) { Player.Write('caught ' + e.message); }\n\nPlayer.Fail();\n",
    "while (true) {}\n",
    "var a = 1;\nvar b = 2;\nvar c = ;\n",
    "function Add(a, b) { return a + b; }\nfunction Name() { return 'js'; }\n",
};

const Language kLua{
    "lua",
    "Player.Write('loaded ' .. Player.Position)\n"
    "function Player_Start() Player:Write('start'); Player.Position = 4.25 end\n"
    "function Player_Stop() Player.Write('stop ' .. Player.Twice(21)) end\n",
    "local ok, e = pcall(function() Player.Fail() end)\nPlayer.Write('caught ' .. "
    "tostring(e):gsub('^script:%d+: ', ''))\nPlayer.Fail()\n",
    "while true do end\n",
    "local a = 1\nlocal b = 2\nlocal c = = 3\n",
    "function Add(a, b) return a + b end\nfunction Name() return 'lua' end\n",
};

class ScriptEngineTest : public testing::TestWithParam<Language> {
protected:
    ScriptEngineTest() {
        CActiveScriptSite::SetErrorPresenter([this](const QString& text, const QString& caption) {
            errors.append(caption + QLatin1Char('|') + text);
        });
        site.AddNamedItemInfo(QStringLiteral("Player"), recorder,
                              scriptitem::kIsVisible | scriptitem::kIsSource);
    }
    ~ScriptEngineTest() override {
        site.CloseEngine();
        CActiveScriptSite::SetErrorPresenter({});
        ScriptEngineBase::SetTimeLimit(std::chrono::seconds(10));
    }
    HResult Load(const char* text) {
        const QString path =
            m_dir.filePath(QStringLiteral("macro.") + QLatin1String(GetParam().extension));
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(text);
        file.close();
        return site.LoadScriptFile(path);
    }

    tavi::test::ProcessRegistry registry;
    std::shared_ptr<Recorder> recorder = std::make_shared<Recorder>();
    CActiveScriptSite site;
    QStringList errors;

private:
    QTemporaryDir m_dir;
};

TEST_P(ScriptEngineTest, GlobalCodeRunsWhenStartedAndHandlersFollowTheEvents) {
    ASSERT_EQ(Load(GetParam().startAndStop), hr::kOk);
    EXPECT_TRUE(recorder->lines.isEmpty()) << "a loaded script waits for RunScript";
    recorder->FireEvent(1);
    EXPECT_TRUE(recorder->lines.isEmpty()) << "no handler before the script runs";
    ASSERT_EQ(site.RunScript(), hr::kOk);
    EXPECT_TRUE(site.IsScriptRunning());
    recorder->FireEvent(1);
    recorder->FireEvent(2);
    EXPECT_EQ(recorder->lines, (QStringList{QStringLiteral("loaded 1.5"), QStringLiteral("start"),
                                            QStringLiteral("stop 42")}));
    EXPECT_EQ(recorder->position, 4.25) << "a property put reaches the object";
    ASSERT_EQ(site.StopScript(), hr::kOk);
    EXPECT_FALSE(site.IsScriptRunning());
    recorder->FireEvent(1);
    EXPECT_EQ(recorder->lines.size(), 3) << "a stopped script hears no events";
    EXPECT_EQ(recorder->SinkCount(), 0u);
    EXPECT_TRUE(errors.isEmpty()) << errors.join(QLatin1Char('\n')).toStdString();
}

TEST_P(ScriptEngineTest, ObjectErrorsAreScriptErrorsWithTheObjectsTextSourceAndCode) {
    ASSERT_EQ(Load(GetParam().hostError), hr::kOk);
    EXPECT_EQ(site.RunScript(), hr::kReported);
    EXPECT_EQ(recorder->lines, QStringList{QStringLiteral("caught PlayJingle() is not supported")});
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].startsWith(QStringLiteral("Tavi|"))) << errors[0].toStdString();
    EXPECT_TRUE(
        errors[0].contains(QStringLiteral("(3) : error 1001\n\nPlayJingle() is not supported")))
        << errors[0].toStdString();
}

TEST_P(ScriptEngineTest, AScriptThatRunsTooLongIsStoppedAndTheEngineStaysUsable) {
    ScriptEngineBase::SetTimeLimit(std::chrono::milliseconds(300));
    ASSERT_EQ(Load(GetParam().endless), hr::kOk);
    EXPECT_EQ(site.RunScript(), hr::kReported);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains(QStringLiteral("ran longer than 0.3 s")))
        << errors[0].toStdString();
    EXPECT_TRUE(errors[0].startsWith(QStringLiteral("Script Error|")));
    EXPECT_EQ(site.AddScriptText(QStringLiteral("Player.Write('after')")), hr::kOk);
    EXPECT_EQ(recorder->lines, QStringList{QStringLiteral("after")});
}

TEST_P(ScriptEngineTest, ASyntaxErrorNamesItsFileAndLineAndShowsTheLine) {
    EXPECT_EQ(Load(GetParam().syntaxErrorOnLine3), hr::kReported);
    ASSERT_EQ(errors.size(), 1);
    const QStringList parts = errors[0].split(QLatin1Char('|'));
    EXPECT_EQ(parts[0], QStringLiteral("Script Error"));
    EXPECT_TRUE(parts[1].contains(
        QStringLiteral("macro.%1(3) : error ").arg(QLatin1String(GetParam().extension))))
        << parts[1].toStdString();
    EXPECT_TRUE(parts[1].endsWith(QStringLiteral("\n\nlocal c = = 3")) ||
                parts[1].endsWith(QStringLiteral("\n\nvar c = ;")))
        << parts[1].toStdString();
}

TEST_P(ScriptEngineTest, TheScriptsFunctionsAreMethodsOfItsGlobalObjectUntilItCloses) {
    ASSERT_EQ(Load(GetParam().functions), hr::kOk);
    ASSERT_EQ(site.RunScript(), hr::kOk);
    const auto global = site.ScriptDispatch();
    ASSERT_TRUE(global);
    const DispId add = global->GetIDsOfNames({QStringLiteral("add")}).front();
    EXPECT_EQ(
        global->Invoke(add, dispatchflags::kMethod, {Variant::FromInt32(2), Variant::FromInt32(3)}),
        Variant::FromInt32(5));
    const DispId name = global->GetIDsOfNames({QStringLiteral("Name")}).front();
    EXPECT_EQ(global->Invoke(name, dispatchflags::kMethod, {}).ToString(),
              QLatin1String(GetParam().extension == std::string("js") ? "js" : "lua"));
    EXPECT_THROW(global->GetIDsOfNames({QStringLiteral("Player")}), DispatchException)
        << "named items are not the script's own";
    site.CloseEngine();
    EXPECT_THROW(global->Invoke(add, dispatchflags::kMethod, {}), DispatchException);
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, ScriptEngineTest, testing::Values(kJavaScript, kLua),
                         [](const auto& info) { return std::string(info.param.extension); });

class ScriptSiteTest : public testing::Test {
protected:
    tavi::test::ProcessRegistry registry{
        "Windows Registry Editor Version 5.00\n\n"
        "[HKEY_LOCAL_MACHINE\\Software\\Classes\\.vbs]\n@=\"VBSFile\"\n\n"
        "[HKEY_LOCAL_MACHINE\\Software\\Classes\\.mjs]\n@=\"ModuleFile\"\n\n"
        "[HKEY_LOCAL_MACHINE\\Software\\Classes\\ModuleFile\\ScriptEngine]\n@=\"JavaScript\"\n"};
    QTemporaryDir dir;
    QString Write(const char* name, const char* text) {
        QFile file(dir.filePath(QLatin1String(name)));
        file.open(QIODevice::WriteOnly);
        file.write(text);
        return file.fileName();
    }
};

TEST_F(ScriptSiteTest, TheEngineComesFromTheFileTypeOfTheExtension) {
    CActiveScriptSite site;
    EXPECT_EQ(site.LoadScriptFile(Write("a.vbs", "x")), hr::kInvalidArg) << "no ScriptEngine key";
    EXPECT_EQ(site.LoadScriptFile(Write("a.pyw", "x")), hr::kUnexpected) << "no extension key";
    EXPECT_EQ(site.LoadScriptFile(dir.filePath(QStringLiteral("missing.js"))), 0x80070002u);
    EXPECT_EQ(site.ScriptFileName(), dir.filePath(QStringLiteral("missing.js")));
    EXPECT_FALSE(site.HasEngine());
    EXPECT_EQ(site.RunScript(), hr::kUnexpected);
    EXPECT_EQ(site.LoadScriptFile(Write("a.mjs", "var loaded = 1;")), hr::kOk)
        << "a type mapped by the system's hive";
    EXPECT_EQ(site.CreateEngine(QStringLiteral("NoSuchEngine")), hr::kInvalidProgId);
}

TEST_F(ScriptSiteTest, ItemInformationFollowsTheNamesAndTheMask) {
    CActiveScriptSite site;
    auto application = std::make_shared<Recorder>();
    site.AddNamedItemInfo(QStringLiteral("Application"), application, 6);
    std::shared_ptr<DispatchObject> object;
    const TypeLibrary::Coclass* type = nullptr;
    EXPECT_EQ(site.GetItemInfo(QStringLiteral("Nothing"), 1, &object, nullptr),
              hr::kElementNotFound);
    EXPECT_EQ(site.GetItemInfo(QString(), 1, &object, nullptr), hr::kOk) << "null: Application";
    EXPECT_EQ(object, application);
    EXPECT_EQ(site.GetItemInfo(QStringLiteral("Application"), 2, &object, nullptr),
              hr::kInvalidArg);
    EXPECT_EQ(site.GetItemInfo(QStringLiteral("Application"), 3, &object, &type), hr::kOk);
    ASSERT_TRUE(type);
    EXPECT_EQ(type->name, QStringLiteral("Player"));
}

TEST(ScriptErrorText, MarkerLineLayoutAndCaption) {
    EXPECT_EQ(scripterrortext::MarkerLine(5), QStringLiteral("----v"));
    EXPECT_EQ(scripterrortext::MarkerLine(1), QStringLiteral("v"));
    EXPECT_EQ(scripterrortext::MarkerLine(0), QString());
    EXPECT_EQ(scripterrortext::MarkerLine(255), QString());
    EXPECT_EQ(scripterrortext::MarkerLine(300), QString());
    ScriptError error;
    error.description = QStringLiteral("Expected %1");
    error.line = 7;
    error.character = 3;
    error.sourceLine = QStringLiteral("x = ;");
    error.scode = 0x80004005;
    EXPECT_EQ(scripterrortext::Text(QStringLiteral("/s/%2.js"), error),
              QStringLiteral("/s/%2.js(7) : error -2147467259\n\nExpected %1\n--v\nx = ;"));
    error.code = 1001;
    error.character = 0;
    EXPECT_EQ(scripterrortext::Text(QStringLiteral("a.js"), error),
              QStringLiteral("a.js(7) : error 1001\n\nExpected %1\n\nx = ;"));
    EXPECT_EQ(scripterrortext::Caption(error), QStringLiteral("Script Error"));
    error.source = QStringLiteral("Tavi");
    EXPECT_EQ(scripterrortext::Caption(error), QStringLiteral("Tavi"));
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
