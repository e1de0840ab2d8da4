#pragma once

#include <QKeyCombination>
#include <QString>

#include <span>

namespace tavi::frame {

// One item of a menu table. An item with id 0 and no text is a separator; kind marks the
// places a menu fills at run time.
struct MenuItem {
    enum class Kind { Command, Separator, RecentFiles, Programs, Language, ToolbarsPopup };
    int id = 0;
    const char* text = nullptr;  // with "&" for the mnemonic
    const char* hint = nullptr;  // the status-bar prompt
    Kind kind = Kind::Command;
};

struct MenuPopup {
    const char* title;
    std::span<const MenuItem> items;
};

// The menu bar (resource 128), its View > Toolbars popup, the playlist's context menu
// (129) and the tray menu (130), in the order they are shown.
std::span<const MenuPopup> MenuBarTable();
std::span<const MenuItem> ToolbarsPopupTable();
std::span<const MenuItem> PlaylistContextMenuTable();
std::span<const MenuItem> TrayMenuTable();

// The text and prompt of a command, looked up in every table above; nullptr when unknown.
const MenuItem* FindMenuItem(int id);

// One key of the accelerator table (128). Several keys may name one command.
struct Accelerator {
    QKeyCombination key;
    int id;
};
std::span<const Accelerator> AcceleratorTable();

}  // namespace tavi::frame
