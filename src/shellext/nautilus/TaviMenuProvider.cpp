// The Nautilus module: "Play with Tavi" and "Add to Tavi Playlist" in the menu of the
// selected files. Picking one runs taviext with the files' paths, so the file manager never
// waits for the player and loads nothing but GLib from us.
#include "shellext/ShellStrings.h"

// The module entry points are declared without C linkage in the header.
#include <gio/gio.h>  // first: GLib's own C++ parts stay outside the C block below
extern "C" {
#include <nautilus-extension.h>
}

#include <string>
#include <vector>

using tavi::shellext::ShellStrings;

#ifndef TAVI_PROVIDER_TYPE
#define TAVI_PROVIDER_TYPE "TaviMenuProvider"
#endif

namespace {

GType g_providerType = 0;

struct TaviMenuProvider {
    GObject parent;
};

struct TaviMenuProviderClass {
    GObjectClass parent;
};

constexpr const char* kPathsKey = "tavi-paths";
constexpr const char* kCommandKey = "tavi-command";

// The local paths of the selection, in its order; files without one are left out.
std::vector<std::string> LocalPaths(GList* files) {
    std::vector<std::string> paths;
    for (GList* node = files; node; node = node->next) {
        GFile* location = nautilus_file_info_get_location(NAUTILUS_FILE_INFO(node->data));
        if (!location) {
            continue;
        }
        if (char* path = g_file_get_path(location)) {
            paths.emplace_back(path);
            g_free(path);
        }
        g_object_unref(location);
    }
    return paths;
}

void FreePaths(gpointer paths) {
    g_strfreev(static_cast<char**>(paths));
}

void Activate(NautilusMenuItem* item, gpointer) {
    auto* paths = static_cast<char**>(g_object_get_data(G_OBJECT(item), kPathsKey));
    auto* command = static_cast<const char*>(g_object_get_data(G_OBJECT(item), kCommandKey));
    std::vector<char*> argv{const_cast<char*>(TAVIEXT_PROGRAM), const_cast<char*>(command),
                            const_cast<char*>("--")};
    for (char** path = paths; path && *path; ++path) {
        argv.push_back(*path);
    }
    argv.push_back(nullptr);
    GError* error = nullptr;
    if (!g_spawn_async(nullptr, argv.data(), nullptr, G_SPAWN_DEFAULT, nullptr, nullptr, nullptr,
                       &error)) {
        g_warning("%s: %s", TAVIEXT_PROGRAM, error->message);
        g_error_free(error);
    }
}

NautilusMenuItem* MenuItem(const char* name, const std::string& label, const std::string& tip,
                           const char* command, const std::vector<std::string>& paths) {
    NautilusMenuItem* item =
        nautilus_menu_item_new(name, label.c_str(), tip.c_str(), "org.kestrova.Tavi");
    auto** copy = g_new0(char*, paths.size() + 1);
    for (size_t i = 0; i < paths.size(); ++i) {
        copy[i] = g_strdup(paths[i].c_str());
    }
    g_object_set_data_full(G_OBJECT(item), kPathsKey, copy, FreePaths);
    g_object_set_data(G_OBJECT(item), kCommandKey, const_cast<char*>(command));
    g_signal_connect(item, "activate", G_CALLBACK(Activate), nullptr);
    return item;
}

GList* GetFileItems(NautilusMenuProvider*, GList* files) {
    const std::vector<std::string> paths = LocalPaths(files);
    if (paths.empty()) {
        return nullptr;
    }
    const ShellStrings strings = ShellStrings::ForEnvironment();
    GList* items = nullptr;
    items = g_list_append(items,
                          MenuItem("TaviMenuProvider::Play", strings.Text(ShellStrings::kPlayItem),
                                   strings.Text(ShellStrings::kPlayHelp), "--play", paths));
    items =
        g_list_append(items, MenuItem("TaviMenuProvider::Add", strings.Text(ShellStrings::kAddItem),
                                      strings.Text(ShellStrings::kAddHelp), "--add", paths));
    return items;
}

void InitMenuProvider(gpointer iface, gpointer) {
    static_cast<NautilusMenuProviderInterface*>(iface)->get_file_items = GetFileItems;
}

}  // namespace

extern "C" {

G_MODULE_EXPORT void nautilus_module_initialize(GTypeModule* module) {
    static const GTypeInfo info = {
        sizeof(TaviMenuProviderClass), nullptr, nullptr, nullptr, nullptr, nullptr,
        sizeof(TaviMenuProvider),      0,       nullptr, nullptr};
    g_providerType = g_type_module_register_type(module, G_TYPE_OBJECT, TAVI_PROVIDER_TYPE, &info,
                                                 GTypeFlags(0));
    static const GInterfaceInfo menu = {InitMenuProvider, nullptr, nullptr};
    g_type_module_add_interface(module, g_providerType, NAUTILUS_TYPE_MENU_PROVIDER, &menu);
}

G_MODULE_EXPORT void nautilus_module_shutdown() {}

G_MODULE_EXPORT void nautilus_module_list_types(const GType** types, int* count) {
    *types = &g_providerType;
    *count = 1;
}
}
