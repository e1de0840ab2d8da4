// The Nautilus module loaded as Nautilus loads it (g_module_open, its three entry points),
// asked for its menu items with file objects of our own that implement NautilusFileInfo.
#include <gio/gio.h>  // first: GLib's own C++ parts stay outside the C block below
extern "C" {
#include <nautilus-extension.h>
}

#include <glib/gstdio.h>
#include <gmodule.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

// A file object for the test: a location, nothing else.
struct TestFile {
    GObject parent;
    GFile* location;
};
struct TestFileClass {
    GObjectClass parent;
};

GType TestFileType();

GFile* TestFileLocation(NautilusFileInfo* info) {
    return G_FILE(g_object_ref(reinterpret_cast<TestFile*>(info)->location));
}
char* TestFileUri(NautilusFileInfo* info) {
    return g_file_get_uri(reinterpret_cast<TestFile*>(info)->location);
}
void InitFileInfo(gpointer iface, gpointer) {
    auto* file = static_cast<NautilusFileInfoInterface*>(iface);
    file->get_location = TestFileLocation;
    file->get_uri = TestFileUri;
}
void FinalizeTestFile(GObject* object) {
    g_object_unref(reinterpret_cast<TestFile*>(object)->location);
    G_OBJECT_CLASS(g_type_class_peek_parent(G_OBJECT_GET_CLASS(object)))->finalize(object);
}
void InitTestFileClass(gpointer klass, gpointer) {
    G_OBJECT_CLASS(klass)->finalize = FinalizeTestFile;
}

GType TestFileType() {
    static GType type = 0;
    if (!type) {
        static const GTypeInfo info = {sizeof(TestFileClass),
                                       nullptr,
                                       nullptr,
                                       InitTestFileClass,
                                       nullptr,
                                       nullptr,
                                       sizeof(TestFile),
                                       0,
                                       nullptr,
                                       nullptr};
        type = g_type_register_static(G_TYPE_OBJECT, "TaviTestFile", &info, GTypeFlags(0));
        static const GInterfaceInfo fileInfo = {InitFileInfo, nullptr, nullptr};
        g_type_add_interface_static(type, NAUTILUS_TYPE_FILE_INFO, &fileInfo);
    }
    return type;
}

GObject* NewFile(GFile* location) {
    auto* file = reinterpret_cast<TestFile*>(g_object_new(TestFileType(), nullptr));
    file->location = location;
    return G_OBJECT(file);
}

// A type module that is loaded for as long as the test runs.
struct TestModule {
    GTypeModule parent;
};
struct TestModuleClass {
    GTypeModuleClass parent;
};
gboolean LoadModule(GTypeModule*) {
    return TRUE;
}
void UnloadModule(GTypeModule*) {}
void InitTestModuleClass(gpointer klass, gpointer) {
    G_TYPE_MODULE_CLASS(klass)->load = LoadModule;
    G_TYPE_MODULE_CLASS(klass)->unload = UnloadModule;
}
GTypeModule* NewModule(const char* name) {
    static const GTypeInfo info = {sizeof(TestModuleClass),
                                   nullptr,
                                   nullptr,
                                   InitTestModuleClass,
                                   nullptr,
                                   nullptr,
                                   sizeof(TestModule),
                                   0,
                                   nullptr,
                                   nullptr};
    const GType type = g_type_register_static(G_TYPE_TYPE_MODULE, name, &info, GTypeFlags(0));
    auto* module = G_TYPE_MODULE(g_object_new(type, nullptr));
    g_type_module_use(module);
    return module;
}

struct Item {
    std::string name, label, tip;
};

class NautilusModule : public testing::Test {
protected:
    static void SetUpTestSuite() {
        Load(TAVI_NAUTILUS_MODULE, "TaviTestModule", s_module, s_provider);
    }

    static void Load(const char* path, const char* moduleType, GModule*& s_module,
                     GObject*& s_provider) {
        s_module = g_module_open(path, G_MODULE_BIND_LAZY);
        ASSERT_NE(s_module, nullptr) << g_module_error();
        void (*initialize)(GTypeModule*) = nullptr;
        void (*listTypes)(const GType**, int*) = nullptr;
        ASSERT_TRUE(g_module_symbol(s_module, "nautilus_module_initialize",
                                    reinterpret_cast<gpointer*>(&initialize)));
        ASSERT_TRUE(g_module_symbol(s_module, "nautilus_module_list_types",
                                    reinterpret_cast<gpointer*>(&listTypes)));
        ASSERT_TRUE(g_module_symbol(s_module, "nautilus_module_shutdown",
                                    reinterpret_cast<gpointer*>(&s_shutdown)));
        initialize(NewModule(moduleType));
        const GType* types = nullptr;
        int count = 0;
        listTypes(&types, &count);
        ASSERT_EQ(count, 1);
        s_provider = G_OBJECT(g_object_new(types[0], nullptr));
        ASSERT_TRUE(NAUTILUS_IS_MENU_PROVIDER(s_provider));
    }

    static GList* FileItems(GObject* provider, const std::vector<GFile*>& locations) {
        GList* files = nullptr;
        for (GFile* location : locations) {
            files = g_list_append(files, NewFile(location));
        }
        GList* items =
            nautilus_menu_provider_get_file_items(NAUTILUS_MENU_PROVIDER(provider), files);
        g_list_free_full(files, g_object_unref);
        return items;
    }

    static std::vector<Item> ItemsFor(const std::vector<GFile*>& locations) {
        GList* items = FileItems(s_provider, locations);
        std::vector<Item> result;
        for (GList* node = items; node; node = node->next) {
            char *name = nullptr, *label = nullptr, *tip = nullptr;
            g_object_get(node->data, "name", &name, "label", &label, "tip", &tip, nullptr);
            result.push_back({name, label, tip});
            g_free(name);
            g_free(label);
            g_free(tip);
        }
        g_list_free_full(items, g_object_unref);
        return result;
    }

    static inline GModule* s_module = nullptr;
    static inline GObject* s_provider = nullptr;
    static inline void (*s_shutdown)() = nullptr;
};

TEST_F(NautilusModule, ASelectionOfFilesGetsPlayAndAddWithTheirHelpTexts) {
    setenv("LANGUAGE", "", 1);
    setenv("LANG", "en_US.UTF-8", 1);
    const auto items =
        ItemsFor({g_file_new_for_path("/music/a b.mp3"), g_file_new_for_path("/music/Grüße.ogg")});
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].label, "Play with Tavi");
    EXPECT_EQ(items[0].tip, "Opens the selected files with Tavi media player");
    EXPECT_EQ(items[1].label, "Add to Tavi Playlist");
    EXPECT_EQ(items[1].tip, "Adds the selected files to the Tavi playlist");
    EXPECT_NE(items[0].name, items[1].name);
}

TEST_F(NautilusModule, AGermanUserGetsTheGermanItems) {
    setenv("LANG", "de_DE.UTF-8", 1);
    const auto items = ItemsFor({g_file_new_for_path("/music/a.mp3")});
    setenv("LANG", "en_US.UTF-8", 1);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].label, "Mit Tavi abspielen");
    EXPECT_EQ(items[1].label, "Zur Tavi-Playliste hinzuf\xC3\xBCgen");
}

TEST_F(NautilusModule, ASelectionWithoutLocalFilesGetsNoItems) {
    EXPECT_TRUE(ItemsFor({g_file_new_for_uri("http://example.org/a.mp3")}).empty());
    EXPECT_TRUE(ItemsFor({}).empty());
}

// A build of the module that runs a recorder in place of taviext, loaded beside the first
// as Nautilus loads a second extension: its own type module, its own type name.
TEST_F(NautilusModule, PickingAnItemRunsTaviextWithEachPathAsOneArgument) {
    char folder[] = "/tmp/tavi-nautilus-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const std::string recorded = std::string(folder) + "/arguments";
    setenv("TAVI_RECORDED_ARGUMENTS", recorded.c_str(), 1);
    GModule* module = nullptr;
    GObject* provider = nullptr;
    Load(TAVI_RECORDING_MODULE, "TaviRecordingModule", module, provider);
    ASSERT_NE(provider, nullptr);
    GList* items = FileItems(provider, {g_file_new_for_path("/music/a b/Grüße 100%.mp3"),
                                        g_file_new_for_uri("file:///music/x%20y.ogg")});
    ASSERT_EQ(g_list_length(items), 2u);
    nautilus_menu_item_activate(NAUTILUS_MENU_ITEM(g_list_nth_data(items, 1)));
    g_list_free_full(items, g_object_unref);
    std::string text;
    for (int wait = 0; wait < 500 && text.empty(); ++wait) {
        g_usleep(20000);
        gchar* contents = nullptr;
        if (g_file_get_contents(recorded.c_str(), &contents, nullptr, nullptr)) {
            text = contents;
            g_free(contents);
        }
    }
    EXPECT_EQ(text, "--add\n--\n/music/a b/Grüße 100%.mp3\n/music/x y.ogg\n");
    g_unlink(recorded.c_str());
    g_rmdir(folder);
}

}  // namespace
