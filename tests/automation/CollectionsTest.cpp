// What needs the main window: its properties, property pages, the Macros and Documents
// collections, their enumerators, the Document object, the macro list's registry keys, the
// Console and SendKeys.
#include "ObjectTestSupport.h"

#include "automation/objects/EnumVariant.h"
#include "automation/objects/Guids.h"
#include "automation/objects/PropertyPagesDialog.h"
#include "automation/objects/SendKeys.h"
#include "automation/script/CMacroList.h"
#include "support/TempRegistry.h"

#include <QApplication>
#include <QKeyEvent>

using namespace tavi::automation;
using namespace tavi::test;

namespace {

class CollectionsTest : public ObjectModelTest {
protected:
    CollectionsTest() : ObjectModelTest(true) {}
    DispatchObject& macros() { return Object(Get(app(), QStringLiteral("Macros"))); }
    DispatchObject& documents() {
        m_documents = Get(app(), QStringLiteral("Documents")).ToObject();
        return *m_documents;
    }
    void addMacros(std::initializer_list<const char*> names) {
        for (const char* name : names) {
            Get(macros(), QStringLiteral("Add"), {Str(name)});
        }
    }
    QStringList macroNames() {
        QStringList names;
        for (const auto& macro : objects->macroList().Macros()) {
            names.append(macro->Name());
        }
        return names;
    }

private:
    std::shared_ptr<DispatchObject> m_documents;
};

// Counts the key events that reach a window.
class KeyCounter : public QObject {
public:
    QList<QPair<QEvent::Type, int>> keys;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
            keys.append({event->type(), static_cast<QKeyEvent*>(event)->key()});
            return true;
        }
        return false;
    }
};

}  // namespace

TEST_F(CollectionsTest, WindowPropertiesReadAndMoveTheRestoredRectangle) {
    Put(app(), QStringLiteral("Caption"), Str("Party"));
    EXPECT_EQ(host->window->windowTitle(), QStringLiteral("Party"));
    EXPECT_EQ(Get(app(), QStringLiteral("Caption")).ToString(), QStringLiteral("Party"));
    Put(app(), QStringLiteral("Left"), Int(70));
    Put(app(), QStringLiteral("Width"), Int(350));
    const QRect rect = host->window->geometry();
    EXPECT_EQ(rect.left(), 70);
    EXPECT_EQ(rect.width(), 350) << "moving the left edge keeps the width";
    EXPECT_EQ(Get(app(), QStringLiteral("Top")).ToInt32(), rect.top());
    Put(app(), QStringLiteral("StatusBar"), Str("Ready to rock"));
    EXPECT_EQ(Get(app(), QStringLiteral("StatusBar")).ToString(), QStringLiteral("Ready to rock"));
    Put(app(), QStringLiteral("Interactive"), Variant::FromBool(false));
    EXPECT_FALSE(host->window->isEnabled());
    Get(app(), QStringLiteral("MessageBox"), {Str("hello")});
    Get(app(), QStringLiteral("PropertiesDialog"),
        {Str("Props"), Get(app(), QStringLiteral("Player"))});
    Get(app(), QStringLiteral("HtmlDialog"), {Str("file:///tmp/page.html")});
    EXPECT_EQ(host->messages, (QStringList{QStringLiteral("hello"), QStringLiteral("Props|Player"),
                                           QStringLiteral("file:///tmp/page.html")}));
    EXPECT_EQ(ErrorOf([&] { Put(app(), QStringLiteral("Name"), Str("x")); }).first,
              QStringLiteral("The property Name is read-only"));
}

TEST_F(CollectionsTest, PropertyPagesListTheReadableProperties) {
    Put(Object(Get(app(), QStringLiteral("Console"))), QStringLiteral("Text"), Str("hi"));
    PropertyPagesDialog dialog(QStringLiteral("Console"), objects->Console().get());
    EXPECT_TRUE(dialog.Rows().contains(QStringLiteral("Text: hi")));
    EXPECT_EQ(dialog.Rows().filter(QStringLiteral("Visible: ")).size(), 1);
    EXPECT_EQ(dialog.Rows().size(), 2) << "methods are not listed";
    EXPECT_TRUE(PropertyPagesDialog(QStringLiteral("None"), nullptr).Rows().isEmpty());
}

TEST_F(CollectionsTest, MacrosNeedAMainWindowAndTheGenericApplicationHasNone) {
    EXPECT_EQ(Get(app(), QStringLiteral("Macros")).ToObject(), objects->Macros());
    host->hasWindow = false;
    EXPECT_EQ(ErrorOf([&] { Get(app(), QStringLiteral("Macros")); }).first,
              QStringLiteral("AfxGetMainWnd failed"));
    host->hasWindow = true;
    CAppDispatch generic(*objects, guids::kApplication, guids::kIApplication, {});
    EXPECT_EQ(ErrorOf([&] { Get(generic, QStringLiteral("Macros")); }).first,
              QStringLiteral("Macros are not supported"));
    EXPECT_EQ(ErrorOf([&] { generic.GetIDsOfNames({QStringLiteral("Player")}); }).first,
              QStringLiteral("Unknown name: Player"));
}

TEST_F(CollectionsTest, MacrosAnswerOneToFiveAndNameTheMissingMacroInTheirErrors) {
    for (const auto& [name, id] : {std::pair{"Count", 1},
                                   {"Add", 2},
                                   {"Remove", 3},
                                   {"RemoveAll", 4},
                                   {"Item", 5},
                                   {"_NewEnum", -4}}) {
        EXPECT_EQ(macros().GetIDsOfNames({QString::fromLatin1(name)}).front(), id) << name;
    }
    addMacros({"one", "two", "three"});
    EXPECT_EQ(Get(macros(), QStringLiteral("Count")).GetType(), Variant::Type::Int16);
    EXPECT_EQ(Get(macros(), QStringLiteral("Count")).ToInt32(), 3);
    EXPECT_EQ(ErrorOf([&] { Get(macros(), QStringLiteral("Item"), {Str("ghost")}); }).first,
              QStringLiteral("Macro name ghost does not exists"));
    EXPECT_EQ(ErrorOf([&] { Get(macros(), QStringLiteral("Item"), {Int(7)}); }).first,
              QStringLiteral("Macro index 7 does not exist."));
    EXPECT_EQ(ErrorOf([&] { Get(macros(), QStringLiteral("Item"), {Str("One")}); }).first,
              QStringLiteral("Macro name One does not exists"))
        << "names compare case-sensitively";
    auto byIndex = Get(macros(), QStringLiteral("Item"), {Variant::FromDouble(1.0)});
    EXPECT_EQ(Get(Object(byIndex), QStringLiteral("Name")).ToString(), QStringLiteral("two"));
    auto byDefault = macros().Invoke(0, dispatchflags::kMethod, {Str("three")});
    EXPECT_EQ(Get(Object(byDefault), QStringLiteral("Name")).ToString(), QStringLiteral("three"));
}

TEST_F(CollectionsTest, MacrosRemoveByNameOrIndexAndIgnoreKeysThatMatchNothing) {
    addMacros({"a", "b", "c", "b"});
    EXPECT_EQ(macroNames(),
              (QStringList{QStringLiteral("a"), QStringLiteral("c"), QStringLiteral("b")}))
        << "Add replaces a macro of the same name";
    Get(macros(), QStringLiteral("Remove"), {Str("zzz")});
    Get(macros(), QStringLiteral("Remove"), {Int(5)});
    Get(macros(), QStringLiteral("Remove"), {Str("c")});
    Get(macros(), QStringLiteral("Remove"), {Variant::FromInt16(0)});
    EXPECT_EQ(macroNames(), QStringList{QStringLiteral("b")});
    auto kept = Get(macros(), QStringLiteral("Item"), {Int(0)});
    Get(macros(), QStringLiteral("RemoveAll"));
    EXPECT_TRUE(macroNames().isEmpty());
    EXPECT_EQ(Get(Object(kept), QStringLiteral("Name")).ToString(), QStringLiteral("b"))
        << "a Macro object outlives its removal safely";
}

TEST_F(CollectionsTest, MacroObjectKeepsFileAndStartupWithoutAnEngine) {
    auto macro = Get(macros(), QStringLiteral("Add"), {Str("night")});
    Put(Object(macro), QStringLiteral("FileName"), Str("/scripts/night.js"));
    Put(Object(macro), QStringLiteral("Startup"), Variant::FromBool(true));
    EXPECT_EQ(objects->macroList().Find(QStringLiteral("night"))->FileName(),
              QStringLiteral("/scripts/night.js"));
    EXPECT_TRUE(objects->macroList().Find(QStringLiteral("night"))->Startup());
    EXPECT_TRUE(Get(Object(macro), QStringLiteral("Dispatch")).ToObject() == nullptr);
    EXPECT_FALSE(Get(Object(macro), QStringLiteral("Enabled")).ToBool());
    EXPECT_FALSE(Get(Object(macro), QStringLiteral("Create"), {Str("NoSuchEngine")}).ToBool());
}

TEST_F(CollectionsTest, MacroKeysAreWrittenOnSaveAndGoWithTheirMacroAtOnce) {
    TempRegistry registry;
    const QString program = QStringLiteral("Software\\Kestrova\\Tavi");
    auto opener = [&] { return registry->open(tavi::reg::Root::CurrentUser, program, true); };
    {
        tavi::automation::script::CMacroList list(opener);
        list.CreateMacro(QStringLiteral("alpha"))->ReloadMacro(QStringLiteral("/s/a.js"));
        auto beta = list.CreateMacro(QStringLiteral("beta"));
        beta->ReloadMacro(QStringLiteral("/s/b.vbs"));
        beta->SetStartup(true);
        ASSERT_TRUE(list.SaveAllMacros());
        list.RemoveAt(0);  // its key goes now, not at the next save
    }
    registry.reopen();
    tavi::automation::script::CMacroList read(opener);
    read.LoadAllMacros();
    ASSERT_EQ(read.Count(), 1);
    EXPECT_EQ(read.At(0)->Name(), QStringLiteral("beta"));
    EXPECT_EQ(read.At(0)->FileName(), QStringLiteral("/s/b.vbs"));
    EXPECT_TRUE(read.At(0)->Startup());
    read.CreateMacro(QStringLiteral("beta"));  // replaces the old one, and its key
    registry.reopen();
    tavi::automation::script::CMacroList again(opener);
    again.LoadAllMacros();
    EXPECT_EQ(again.Count(), 0);
}

TEST_F(CollectionsTest, EnumeratorsFollowTheirContract) {
    addMacros({"a", "b", "c"});
    auto enumerator = std::dynamic_pointer_cast<EnumVariant>(
        Get(macros(), QStringLiteral("_NewEnum")).ToObject());
    ASSERT_TRUE(enumerator);
    std::vector<Variant> items;
    EXPECT_EQ(enumerator->Next(2, items, nullptr), EnumVariant::Result::InvalidArgument);
    uint32_t fetched = 0;
    EXPECT_EQ(enumerator->Next(2, items, &fetched), EnumVariant::Result::Ok);
    EXPECT_EQ(Get(Object(items[1]), QStringLiteral("Name")).ToString(), QStringLiteral("b"));
    auto clone = enumerator->Clone();
    EXPECT_EQ(enumerator->Next(3, items, &fetched), EnumVariant::Result::False);
    EXPECT_EQ(fetched, 1u);
    EXPECT_TRUE(items[1].IsEmpty()) << "unfilled slots are empty";
    EXPECT_EQ(Get(Object(Get(*clone, QStringLiteral("Next"))), QStringLiteral("Name")).ToString(),
              QStringLiteral("c"));
    EXPECT_TRUE(Get(*clone, QStringLiteral("Next")).IsEmpty());
    enumerator->Reset();
    EXPECT_EQ(enumerator->Skip(3), EnumVariant::Result::Ok);
    enumerator->Reset();
    EXPECT_EQ(enumerator->Skip(4), EnumVariant::Result::False);
}

TEST_F(CollectionsTest, DocumentsFindTheDocumentByIndexPathOrTitle) {
    doc->SetPathName(files.filePath(QStringLiteral("party.alb")), false);
    DispatchObject& all = documents();
    EXPECT_EQ(Get(all, QStringLiteral("Count")).ToInt32(), 1);
    auto first = Get(all, QStringLiteral("Item"), {Int(0)}).ToObject();
    EXPECT_EQ(Get(all, QStringLiteral("Item"), {Int(-5)}).ToObject(), first);
    EXPECT_EQ(Get(all, QStringLiteral("Item"), {Str("party.alb")}).ToObject(), first);
    EXPECT_EQ(
        Get(all, QStringLiteral("Item"), {Variant::FromString(doc->GetPathName())}).ToObject(),
        first);
    EXPECT_EQ(Get(app(), QStringLiteral("ActiveDocument")).ToObject(), first);
    EXPECT_EQ(ErrorOf([&] { Get(all, QStringLiteral("Item"), {Int(1)}); }).first,
              QStringLiteral("Document index does not exist."))
        << "the single-document program has no second document";
    EXPECT_EQ(ErrorOf([&] { Get(all, QStringLiteral("Item"), {Str("PARTY.alb")}); }).first,
              QStringLiteral("Document not found"));
    EXPECT_EQ(Get(all, QStringLiteral("Parent")).ToObject(), objects->MainApplication());
    EXPECT_EQ(Get(*first, QStringLiteral("Application")).ToObject(), objects->MainApplication());
    EXPECT_EQ(Get(*first, QStringLiteral("Name")).ToString(), QStringLiteral("party.alb"));
    EXPECT_EQ(Get(*first, QStringLiteral("Path")).ToString(), files.path());
}

TEST_F(CollectionsTest, DocumentSavedAndTitleReachTheDocument) {
    auto document = Get(documents(), QStringLiteral("Item"), {Int(0)}).ToObject();
    Put(*document, QStringLiteral("Saved"), Variant::FromBool(false));
    EXPECT_TRUE(doc->IsModified());
    EXPECT_FALSE(Get(*document, QStringLiteral("Saved")).ToBool());
    Put(*document, QStringLiteral("Title"), Str("Evening"));
    EXPECT_EQ(doc->GetTitle(), QStringLiteral("Evening"));
    auto enumerator = std::dynamic_pointer_cast<EnumVariant>(
        Get(documents(), QStringLiteral("_NewEnum")).ToObject());
    EXPECT_EQ(Get(*enumerator, QStringLiteral("Next")).ToObject(), document);
    EXPECT_TRUE(Get(*enumerator, QStringLiteral("Next")).IsEmpty());
}

TEST_F(CollectionsTest, ConsoleWritesInColourAndClears) {
    DispatchObject& console = Object(Get(app(), QStringLiteral("Console")));
    Get(console, QStringLiteral("Write"), {Str("a")});
    Get(console, QStringLiteral("WriteLine"), {Str("b")});
    Get(console, QStringLiteral("WriteLineColor"), {Str("red"), Int(0x0000FF)});
    // Lines end as WriteLine ended them, CR LF, also after a round trip through Text.
    EXPECT_EQ(Get(console, QStringLiteral("Text")).ToString(), QStringLiteral("ab\r\nred\r\n"));
    EXPECT_EQ(console.Invoke(0, dispatchflags::kPropertyGet, {}).ToString(),
              QStringLiteral("ab\r\nred\r\n"));
    EXPECT_EQ(host->console->Text(), QStringLiteral("ab\nred\n")) << "one break a line";
    Put(console, QStringLiteral("Text"), Str("x\r\ny"));
    EXPECT_EQ(Get(console, QStringLiteral("Text")).ToString(), QStringLiteral("x\r\ny"));
    EXPECT_EQ(host->console->Text(), QStringLiteral("x\ny"));
    EXPECT_EQ(CConsoleBar::FromColorRef(0x00336699), QColor(0x99, 0x66, 0x33));
    Put(console, QStringLiteral("Visible"), Variant::FromBool(false));
    EXPECT_TRUE(host->console->isHidden());
    Get(console, QStringLiteral("Clear"));
    EXPECT_EQ(Get(console, QStringLiteral("Text")).ToString(), QString());
}

TEST(SendKeysParse, BraceGroupsNameKeys) {
    const struct {
        const char* keys;
        std::vector<int> expected;
    } cases[] = {
        {"ab", {Qt::Key_A, Qt::Key_B}},
        {"{ENTER}{tab}{F12}", {Qt::Key_Return, Qt::Key_Tab, Qt::Key_F12}},
        {"x{}}{{}", {Qt::Key_X, Qt::Key_BraceRight, Qt::Key_BraceLeft}},
        {"ab{ENTER", {Qt::Key_A, Qt::Key_B}},
        {"a{}b", {Qt::Key_A}},
        {"{NOPE}c", {Qt::Key_C}},
        {"", {}},
    };
    for (const auto& c : cases) {
        std::vector<int> keys;
        for (const KeyStroke& stroke : ParseKeys(QString::fromLatin1(c.keys))) {
            keys.push_back(stroke.key);
        }
        EXPECT_EQ(keys, c.expected) << c.keys;
    }
}

TEST_F(CollectionsTest, SendKeysPostsDownAndUpToTheMainWindow) {
    KeyCounter counter;
    host->window->installEventFilter(&counter);
    Get(app(), QStringLiteral("SendKeys"), {Str("ab")});
    EXPECT_TRUE(counter.keys.isEmpty()) << "posted, not sent";
    processEventsUntil([&] { return counter.keys.size() >= 4; }, 5000);
    ASSERT_EQ(counter.keys.size(), 4);
    EXPECT_EQ(counter.keys[0], qMakePair(QEvent::KeyPress, int(Qt::Key_A)));
    EXPECT_EQ(counter.keys[1], qMakePair(QEvent::KeyRelease, int(Qt::Key_A)));
    counter.keys.clear();
    Get(app(), QStringLiteral("SendKeys"), {Str("q{ESC")});
    processEventsUntil([&] { return counter.keys.size() >= 2; }, 5000);
    processEventsFor(50);  // anything more would have been posted with them
    EXPECT_EQ(counter.keys.size(), 2) << "nothing after an unclosed brace";
}

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    qputenv("TAVI_AUDIO_OUTPUT", "null");
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
