#pragma once

#include <QCoreApplication>
#include <QKeyCombination>
#include <QString>

#include <span>

namespace tavi::frame {

// A text of the menu tables, translated in the "Menu" context; the disambiguation is the
// command id, so translators see the units of the menu and string resources.
struct MenuText {
    const char* source = nullptr;
    const char* comment = nullptr;

    bool isNull() const { return source == nullptr; }
    QString translated() const {
        return source ? QCoreApplication::translate("Menu", source, comment) : QString();
    }
};

// One item of a menu table. An item with id 0 and no text is a separator; kind marks the
// places a menu fills at run time.
struct MenuItem {
    enum class Kind { Command, Separator, RecentFiles, Programs, Language, ToolbarsPopup };
    int id = 0;
    MenuText text;  // with "&" for the mnemonic
    MenuText hint;  // the status-bar prompt
    Kind kind = Kind::Command;
};

struct MenuPopup {
    const char* title;  // translated in the "Menu" context
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
