// The Application, Player and Playlist objects over a real document and its player, called
// by name as clients call them, without widgets or a QApplication.
#include "ObjectTestSupport.h"

#include "app/Version.h"
#include "automation/objects/Guids.h"
#include "playlist/CommandIds.h"

#include <QCoreApplication>

using namespace tavi::automation;
using namespace tavi::test;

namespace {

class RecordingSink : public DispatchObject {
public:
    RecordingSink() {
        for (DispId id : {1, 2}) {
            AddMethod(QStringLiteral("Event%1").arg(id), id, {}, Variant::Type::Empty,
                      [this, id](const auto&) {
                          events.push_back(id);
                          return Variant();
                      });
        }
    }
    QString TypeName() const override { return QStringLiteral("Sink"); }
    std::vector<DispId> events;
};

}  // namespace

TEST_F(ObjectModelTest, ApplicationIsItsOwnApplicationHasNoParentAndSharesThePlayer) {
    auto client = objects->CreateApplication();
    EXPECT_EQ(Get(*client, QStringLiteral("Application")).ToObject(), client);
    EXPECT_TRUE(Get(*client, QStringLiteral("Parent")).ToObject() == nullptr);
    EXPECT_NE(client, objects->MainApplication());
    EXPECT_EQ(Get(*client, QStringLiteral("Player")).ToObject(),
              Get(app(), QStringLiteral("Player")).ToObject());
    EXPECT_NE(Get(*client, QStringLiteral("Playlist")).ToObject(),
              Get(*client, QStringLiteral("Playlist")).ToObject())
        << "each read makes a new Playlist object";
    EXPECT_EQ(Get(*client, QStringLiteral("Name")).ToString(), QStringLiteral("Tavi"));
    EXPECT_EQ(client->Invoke(0, dispatchflags::kPropertyGet, {}).ToString(), QStringLiteral("Tavi"))
        << "Name is the default member";
    EXPECT_EQ(Get(*client, QStringLiteral("Version")).ToString(),
              QStringLiteral(TAVI_VERSION_STRING));
    EXPECT_EQ(ErrorOf([&] { Get(*client, QStringLiteral("Keep")); }).first, QString());
    EXPECT_EQ(ErrorOf([&] { Get(*client, QStringLiteral("Help")); }).first, QString());
    EXPECT_EQ(Get(*client, QStringLiteral("HWND")).ToInt32(),
              Get(*client, QStringLiteral("Window")).ToInt32());
    EXPECT_EQ(client->GetIDsOfNames({QStringLiteral("HWND")}).front(), 119);
}

TEST_F(ObjectModelTest, ModeWordsAreComparedExactly) {
    DispatchObject& player = playerObject();
    const struct {
        const char* word;
        uint32_t expected;
    } cases[] = {{"SHUFFLE", 3}, {"shuffle", 3}, {"LOOP", 5},   {"Loop", 5},  {"REPEAT", 1},
                 {"", 1},        {"INTRO", 4},   {"RANDOM", 2}, {"NORMAL", 0}};
    for (const auto& c : cases) {
        Put(player, QStringLiteral("Mode"), Str(c.word));
        EXPECT_EQ(host->player->player().GetMode(), c.expected) << c.word;
    }
    host->player->player().SetMode(4);
    EXPECT_EQ(Get(player, QStringLiteral("Mode")).ToString(), QStringLiteral("INTRO"));
}

TEST_F(ObjectModelTest, PlayerCommandsArePostedAndStatusFollowsTheTrack) {
    fill({QStringLiteral("5.pause"), QStringLiteral("5.pause")}, 0);
    DispatchObject& player = playerObject();
    EXPECT_EQ(Get(player, QStringLiteral("Status")).ToString(), QStringLiteral("STOP"));
    EXPECT_EQ(Get(player, QStringLiteral("FileName")).ToString(), QString());
    EXPECT_EQ(Get(player, QStringLiteral("Position")).ToDouble(), 0.0);
    Put(player, QStringLiteral("Position"), Variant::FromDouble(2.0));  // no track: nothing
    Get(player, QStringLiteral("Play"));
    EXPECT_FALSE(doc->HasCurrentTrack()) << "the command runs after the call returned";
    ASSERT_TRUE(processEventsUntil([&] { return doc->HasCurrentTrack(); }, 2000));
    EXPECT_EQ(Get(player, QStringLiteral("Status")).ToString(), QStringLiteral("PLAY"));
    EXPECT_EQ(Get(player, QStringLiteral("FileName")).ToString(), QStringLiteral("5.pause"));
    EXPECT_DOUBLE_EQ(Get(player, QStringLiteral("Duration")).ToDouble(), 5.0);
    Get(player, QStringLiteral("Pause"));
    ASSERT_TRUE(processEventsUntil(
        [&] { return Get(player, QStringLiteral("Status")).ToString() == QLatin1String("PAUSE"); },
        2000));
    Get(player, QStringLiteral("Stop"));
    ASSERT_TRUE(processEventsUntil([&] { return !doc->HasCurrentTrack(); }, 2000));
    EXPECT_EQ(Get(player, QStringLiteral("Status")).ToString(), QStringLiteral("STOP"));
}

TEST_F(ObjectModelTest, PlayJingleAlwaysFailsWithCode1001) {
    const auto [text, code] =
        ErrorOf([&] { Get(playerObject(), QStringLiteral("PlayJingle"), {Str("a.wav")}); });
    EXPECT_EQ(text, QStringLiteral("PlayJingle() is not supported by Tavi"));
    EXPECT_EQ(code, 1001);
}

TEST_F(ObjectModelTest, PlayerRaisesStartAndStopOnEverySink) {
    fill({QStringLiteral("0.pause")}, 0);
    auto sink = std::make_shared<RecordingSink>();
    ASSERT_NE(objects->Player()->Connect(sink), 0u) << "a plain dispatch sink connects";
    host->player->RunPlayerCommand(tavi::engines::playercmd::kPlay);
    ASSERT_TRUE(processEventsUntil([&] { return sink->events.size() >= 2; }, 3000));
    EXPECT_EQ(sink->events.front(), CPlayerDispatch::kStart);
    EXPECT_EQ(sink->events.back(), CPlayerDispatch::kStop);
}

TEST_F(ObjectModelTest, PlaylistItemAndNextIndexFollowTheView) {
    fill({QStringLiteral("a.mp3"), QStringLiteral("b.mp3"), QStringLiteral("c.mp3")}, 2);
    auto list = playlistObject();
    EXPECT_EQ(Get(*list, QStringLiteral("Count")).ToInt32(), 3);
    EXPECT_EQ(Get(*list, QStringLiteral("Item"), {Int(-1)}).ToString(), QString());
    EXPECT_EQ(Get(*list, QStringLiteral("Item"), {Int(3)}).ToString(), QString());
    EXPECT_EQ(Get(*list, QStringLiteral("Item"), {Str("1")}).ToString(), QStringLiteral("b.mp3"));
    EXPECT_EQ(Get(*list, QStringLiteral("SelectedIndex")).ToInt32(), 2);
    EXPECT_EQ(Get(*list, QStringLiteral("NextIndex")).ToInt32(), 2) << "nothing plays: S";
    Put(*list, QStringLiteral("NextIndex"), Int(0));
    Put(*list, QStringLiteral("SelectedIndex"), Int(1));
    EXPECT_EQ(model().current(), 1);
    Get(*list, QStringLiteral("Insert"), {Int(0), Str("z.mp3")});
    Get(*list, QStringLiteral("Remove"), {Int(9)});  // past the end: nothing
    Get(*list, QStringLiteral("Remove"), {Int(3)});
    EXPECT_EQ(entries(), (QStringList{QStringLiteral("z.mp3"), QStringLiteral("a.mp3"),
                                      QStringLiteral("b.mp3")}));
    fill({QStringLiteral("a.mp3")}, 0);
    for (const char* mode : {"NORMAL", "RANDOM", "REPEAT"}) {
        Put(playerObject(), QStringLiteral("Mode"), Str(mode));
        EXPECT_EQ(Get(*list, QStringLiteral("NextIndex")).ToInt32(), 0) << "one entry: " << mode;
    }
    fill({}, -1);
    EXPECT_EQ(Get(*list, QStringLiteral("NextIndex")).ToInt32(), -1);
}

TEST_F(ObjectModelTest, NextIndexAfterTheLastEntryIsTheFirstOnlyWhenRepeating) {
    fill({QStringLiteral("5.pause"), QStringLiteral("5.pause")}, 1);
    auto list = playlistObject();
    host->player->RunPlayerCommand(tavi::engines::playercmd::kPlay);
    ASSERT_TRUE(doc->HasCurrentTrack());
    Put(playerObject(), QStringLiteral("Mode"), Str("NORMAL"));
    EXPECT_EQ(Get(*list, QStringLiteral("NextIndex")).ToInt32(), -1);
    Put(playerObject(), QStringLiteral("Mode"), Str("REPEAT"));
    EXPECT_EQ(Get(*list, QStringLiteral("NextIndex")).ToInt32(), 0);
    Put(*list, QStringLiteral("SelectedIndex"), Int(0));
    EXPECT_EQ(Get(*list, QStringLiteral("NextIndex")).ToInt32(), 1);
    host->player->RunPlayerCommand(tavi::engines::playercmd::kStop);
}

TEST_F(ObjectModelTest, PlaylistAddsFoldersLoadsAndPostsRemoveAll) {
    touch(QStringLiteral("album/01.mp3"));
    touch(QStringLiteral("album/02.mp3"));
    auto list = playlistObject();
    Get(*list, QStringLiteral("Add"),
        {Variant::FromString(files.filePath(QStringLiteral("album")))});
    settle();  // a folder is walked in the background
    EXPECT_EQ(Get(*list, QStringLiteral("Count")).ToInt32(), 2);
    EXPECT_EQ(Get(*list, QStringLiteral("DisplayNameOf"), {Str("/x/7.pause")}).ToString(),
              QStringLiteral("7 sec."));
    Get(*list, QStringLiteral("RemoveAll"));
    EXPECT_TRUE(host->frameCommands.isEmpty()) << "posted, not run inside the call";
    processEventsUntil([&] { return !host->frameCommands.isEmpty(); }, 1000);
    EXPECT_EQ(host->frameCommands, QList<int>{tavi::playlist::cmd::kClearAll});
    EXPECT_TRUE(host->ActiveDocument()->IsModified()) << "an edit from outside is an edit";
    host->ActiveDocument()->SetModifiedFlag(false);  // Load would ask to save first
    EXPECT_TRUE(Get(*list, QStringLiteral("Load"), {Variant::FromString(files.path())}).ToBool());
    EXPECT_FALSE(Get(*list, QStringLiteral("Load"), {Str("/no/such/list.alb")}).ToBool());
}

// A client's adds, then the window's Delete, then Undo: the four entries are back.
TEST_F(ObjectModelTest, UndoAfterClientAddsAndAWindowDeleteRestoresTheList) {
    auto list = playlistObject();
    QStringList four;
    for (const char* name : {"/m/1.mp3", "/m/2.mp3", "/m/3.mp3", "/m/4.mp3"}) {
        four.append(QString::fromLatin1(name));
        Get(*list, QStringLiteral("Add"), {Str(name)});
    }
    EXPECT_TRUE(doc->IsModified());
    doc->model().setCurrent(2);
    editor().Remove();  // the window's Delete
    ASSERT_EQ(doc->model().count(), 3);
    doc->OnEditUndo();
    EXPECT_EQ(doc->model().paths(), four);
}

// A client's edits while the window adds 100,000 entries or runs Total Length, with a
// looping track ending again and again meanwhile: they wait and then apply in the order they
// came, and reads answer the list as it is.
TEST_F(ObjectModelTest, EditsFromOutsideWaitForLongOperationsAndApplyInOrder) {
    fill({QStringLiteral("0.pause")}, 0);
    int starts = 0;
    QObject::connect(doc.get(), &tavi::playlist::CTaviDoc::currentTrackChanged,
                     [&](tavi::engines::CMediaTrack* track) { starts += track != nullptr; });
    host->player->player().SetMode(tavi::engines::ModeLoop);
    host->player->RunPlayerCommand(tavi::engines::playercmd::kPlay);
    QStringList lines;
    for (int i = 0; i < 100'000; ++i) {
        lines.append(QStringLiteral("/m/%1.mp3").arg(i));
    }
    editor().Paste(lines.join(QLatin1Char('\n')));
    auto list = playlistObject();
    ASSERT_TRUE(editor().IsBusy());
    Get(*list, QStringLiteral("Insert"), {Int(0), Str("/m/z.mp3")});
    Get(*list, QStringLiteral("Add"), {Str("/m/x.mp3")});
    Get(*list, QStringLiteral("Remove"), {Int(1)});
    const int partway = Get(*list, QStringLiteral("Count")).ToInt32();
    EXPECT_GT(partway, 1);
    EXPECT_LT(partway, 100'001) << "the paste goes on after the calls returned";
    const int startsBefore = starts;
    settle();
    EXPECT_GT(starts, startsBefore) << "tracks ended and started again during the paste";
    QStringList expected = lines;
    expected.prepend(QStringLiteral("/m/z.mp3"));
    expected.append(QStringLiteral("/m/x.mp3"));
    EXPECT_EQ(entries(), expected) << "insert, add and remove after the paste, in order";

    QStringList shown;
    host->player->SetMessageHandlers([](const QString&) {},
                                     [&](const QString& text) { shown.append(text); });
    fill({QStringLiteral("0.pause"), QStringLiteral("61.pause"), QStringLiteral("3600.pause")}, 0);
    host->player->RunPlayerCommand(tavi::engines::playercmd::kPlay);
    host->player->TotalLength();
    Get(*list, QStringLiteral("Add"), {Str("/m/late.mp3")});
    EXPECT_EQ(Get(*list, QStringLiteral("Count")).ToInt32(), 3);
    ASSERT_TRUE(processEventsUntil([&] { return !host->player->IsTotalLengthRunning(); }, 20000));
    EXPECT_EQ(shown, QStringList{QStringLiteral(
                         "The play list contains 3 songs.\nThe total length is: 1:01:01.")});
    EXPECT_EQ(entries().constLast(), QStringLiteral("/m/late.mp3"));
    host->player->RunPlayerCommand(tavi::engines::playercmd::kStop);
}

TEST_F(ObjectModelTest, APlaylistObjectThatOutlivesItsPlayerFailsInsteadOfCrashing) {
    auto list = playlistObject();
    delete host->player;
    host->player = nullptr;
    EXPECT_EQ(ErrorOf([&] { Get(*list, QStringLiteral("Count")); }).first,
              QStringLiteral("The playlist is no longer open"));
}

TEST_F(ObjectModelTest, WrongArgumentsAreAnsweredWithStandardErrors) {
    auto list = playlistObject();
    const struct {
        std::vector<Variant> arguments;
        uint32_t result;
    } cases[] = {
        {{}, hresult::kBadParamCount},
        {{Int(1), Int(2)}, hresult::kBadParamCount},
        {{Str("seven")}, hresult::kTypeMismatch},
        {{Variant::FromDispatch(list)}, hresult::kTypeMismatch},
    };
    for (const auto& c : cases) {
        try {
            Get(*list, QStringLiteral("Item"), c.arguments);
            ADD_FAILURE() << "call accepted";
        } catch (const DispatchException& e) {
            EXPECT_EQ(e.GetResult(), c.result);
        }
    }
}

int main(int argc, char** argv) {
    qputenv("TAVI_AUDIO_OUTPUT", "null");
    QCoreApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
