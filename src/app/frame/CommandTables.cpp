// The menus and keys of the main window as data: the frame builds its actions from these
// tables, so a command has one id, one text and one prompt wherever it appears.
#include "CommandTables.h"

#include "FrameCommandIds.h"
#include "engines/player/PlayModes.h"
#include "playlist/CommandIds.h"

#include <array>

namespace tavi::frame {

namespace {

namespace pl = playlist::cmd;
namespace pc = engines::playercmd;
using K = MenuItem::Kind;

constexpr MenuItem kSeparator{0, nullptr, nullptr, K::Separator};

constexpr MenuItem kFileMenu[] = {
    {cmd::kNew, "&New", "Create a new playlist"},
    {cmd::kOpen, "&Open...", "Open an existing playlist or media file"},
    {cmd::kSave, "&Save", "Save the playlist"},
    {cmd::kSaveAs, "Save &As...", "Save the playlist with a new name"},
    kSeparator,
    {cmd::kSend, "Sen&d...", "Send the playlist through electronic mail"},
    kSeparator,
    {cmd::kRecentFirst, "Recent Files", "Open this playlist", K::RecentFiles},
    kSeparator,
    {pl::kRename, "Re&name", "Rename the selected entry"},
    {pl::kDeleteFile, "&Delete File", "Move the selected entry's file to the trash"},
    kSeparator,
    {cmd::kExit, "E&xit", "Quit Tavi"},
};

constexpr MenuItem kEditMenu[] = {
    {pl::kUndo, "&Undo", "Undo the last change of the playlist"},
    {pl::kRedo, "&Redo", "Redo the change undone last"},
    kSeparator,
    {pl::kCut, "Cu&t", "Cut the selected entry to the clipboard"},
    {pl::kCopy, "&Copy", "Copy the selected entry to the clipboard"},
    {pl::kPaste, "&Paste", "Insert the clipboard's files"},
    {pl::kRemove, "C&lear", "Remove the selected entry from the playlist"},
    {pl::kClearAll, "Clear &All", "Remove every entry from the playlist"},
};

constexpr MenuItem kToolbarsPopup[] = {
    {cmd::kViewMainToolbar, "&Main Toolbar", "Show or hide the main tool bar"},
    {cmd::kViewExplorerBar, "&Explorer Bar", "Show or hide the explorer bar"},
    {cmd::kViewOutputWindow, "&Output Window", "Show or hide the output window"},
    {cmd::kViewMediaBar, "Media &Control Bar", "Show or hide the media control bar"},
    {cmd::kViewStatusBar, "&Status Bar", "Show or hide the status bar"},
};

constexpr MenuItem kViewMenu[] = {
    {0, "&Toolbars", nullptr, K::ToolbarsPopup},
    {cmd::kLanguageFirst, "&Language", "Choose the language of the user interface", K::Language},
    kSeparator,
    {cmd::kAnimatedIcon, "A&nimated Icon", "Animate the tray icon while playing"},
    {cmd::kAlwaysOnTop, "Always on &Top", "Keep the window above all others"},
    {cmd::kFont, "&Font...", "Choose the playlist font"},
    kSeparator,
    {cmd::kFullPath, "Full &Path", "Show the full paths of the entries"},
    {cmd::kTrackNumbers, "Track &Numbers", "Show track numbers in the playlist"},
    kSeparator,
    {pc::kFullScreen, "F&ull Screen", "Switch full-screen mode on or off"},
};

constexpr MenuItem kPlaylistMenu[] = {
    {pl::kAddTracks, "&Add Tracks...", "Add files to the playlist"},
    {pl::kAddCdTracks, "Add All &CD Tracks", "Add every track of the audio CD"},
    {pl::kAddPause, "Add &Pause", "Add a pause entry"},
    kSeparator,
    {cmd::kFind, "&Find...", "Find an entry by its name"},
    {pl::kSort, "&Sort", "Sort the playlist by name"},
    {pl::kShuffle, "S&huffle", "Put the entries in random order"},
    kSeparator,
    {pl::kTotalLength, "&Total Length", "Add up the length of every entry"},
};

constexpr MenuItem kMediaMenu[] = {
    {pc::kPlay, "&Play", "Play the selected entry"},
    kSeparator,
    {pc::kLoop, "&Loop Track", "Play the current track again and again"},
    {pc::kIntroScan, "&Intro Scan", "Play the beginning of each track"},
    {pc::kRandom, "&Random Play", "Play the entries in random order"},
    {pc::kRepeat, "Repeat Play&list", "Start again after the last entry"},
    {pc::kShuffle, "Auto &Shuffle", "Shuffle the playlist before each round"},
};

constexpr MenuItem kProgramsMenu[] = {
    {0, nullptr, nullptr, K::Programs},
    {cmd::kToolsEdit, "&Edit...", "Edit the programs of this menu"},
};

constexpr MenuItem kToolsMenu[] = {
    {cmd::kMixer, "&Mixer...", "Start the Mixer"},
    kSeparator,
    {cmd::kCdOpen, "CD Op&en", "Open the CD drive's door"},
    {cmd::kCdClose, "CD &Close", "Close the CD drive's door"},
    kSeparator,
    {cmd::kOptions, "&Options...", "Change the options"},
};

constexpr MenuItem kHelpMenu[] = {
    {cmd::kHelpContents, "&Help Contents", "Open the manual"},
    {cmd::kAbout, "&About Tavi...", "Show the program's version and credits"},
};

constexpr MenuPopup kMenuBar[] = {
    {"&File", kFileMenu},         {"&Edit", kEditMenu},   {"&View", kViewMenu},
    {"&Playlist", kPlaylistMenu}, {"&Media", kMediaMenu}, {"P&rograms", kProgramsMenu},
    {"&Tools", kToolsMenu},       {"&Help", kHelpMenu},
};

constexpr MenuItem kContextMenu[] = {
    {pl::kAddTracks, "&Add...", "Add files to the playlist"},
    {pl::kRename, "Re&name", "Rename the selected entry"},
    {pl::kRemove, "&Remove", "Remove the selected entry from the playlist"},
    {pl::kDeleteFile, "&Delete File", "Move the selected entry's file to the trash"},
    kSeparator,
    {cmd::kExplorer, "&Explorer", "What the desktop can do with the entry's file"},
    {cmd::kProperties, "P&roperties", "Show the entry's file information"},
};

constexpr MenuItem kTrayMenu[] = {
    {cmd::kRestore, "&Restore", "Show the main window"},
    kSeparator,
    {pl::kAddTracks, "&Add...", "Add files to the playlist"},
    {pl::kRename, "Re&name", "Rename the selected entry"},
    {pl::kRemove, "&Remove", "Remove the selected entry from the playlist"},
    {pl::kDeleteFile, "&Delete File", "Move the selected entry's file to the trash"},
    {cmd::kExplorer, "&Explorer", "What the desktop can do with the entry's file"},
    kSeparator,
    {pc::kPause, "&Pause", "Pause or resume playing"},
    {pc::kStopFaded, "&Stop", "Stop playing"},
    {pc::kNext, "&Next Track", "Play the next entry"},
    {pc::kPlay, "S&tart", "Play the selected entry"},
    kSeparator,
    {cmd::kExit, "E&xit", "Quit Tavi"},
    kSeparator,
    {cmd::kHideWhenMinimized, "&Hide When Minimized", "Only the tray icon remains when minimised"},
};

// Commands reached by key only still need a prompt for the status bar.
constexpr MenuItem kKeyOnly[] = {
    {pc::kStop, "Stop", "Stop playing at once"},
    {pc::kPause, "Pause", "Pause or resume playing"},
    {pc::kPlayPause, "Play/Pause", "Play, or pause and resume"},
    {pc::kNext, "Next Track", "Play the next entry"},
    {pc::kPrevious, "Previous Track", "Play the previous entry"},
    {pc::kFastForward, "Fast Forward", "Skip forward in the track"},
    {pc::kRewind, "Rewind", "Skip back in the track"},
    {pc::kSetupDevice, "Setup Device", "Set up the playing device"},
    {pl::kMoveUp, "Move Up", "Move the selected entry up"},
    {pl::kMoveDown, "Move Down", "Move the selected entry down"},
    {cmd::kNextPane, "Next Pane", "Move to the next pane"},
    {cmd::kPrevPane, "Previous Pane", "Move to the previous pane"},
};

constexpr Qt::KeyboardModifiers kNone = Qt::NoModifier;
constexpr Qt::KeyboardModifier kCtrl = Qt::ControlModifier;
constexpr Qt::KeyboardModifier kShift = Qt::ShiftModifier;
constexpr Qt::KeyboardModifier kAlt = Qt::AltModifier;

constexpr QKeyCombination key(Qt::KeyboardModifiers modifiers, Qt::Key k) {
    return QKeyCombination(modifiers, k);
}

const Accelerator kAccelerators[] = {
    {key(kNone, Qt::Key_A), cmd::kAbout},
    {key(kCtrl, Qt::Key_A), pl::kRedo},
    {key(kCtrl, Qt::Key_C), pl::kCopy},
    {key(kCtrl, Qt::Key_Insert), pl::kCopy},
    {key(kNone, Qt::Key_D), pl::kMoveDown},
    {key(kNone, Qt::Key_E), pc::kSetupDevice},
    {key(kCtrl, Qt::Key_E), cmd::kViewExplorerBar},
    {key(kNone, Qt::Key_F), cmd::kFullPath},
    {key(kCtrl, Qt::Key_F), cmd::kFind},
    {key(kNone, Qt::Key_H), cmd::kHelpContents},
    {key(kNone, Qt::Key_I), pc::kIntroScan},
    {key(kNone, Qt::Key_L), pl::kTotalLength},
    {key(kCtrl, Qt::Key_L), pc::kLoop},
    {key(kNone, Qt::Key_N), pc::kNext},
    {key(kCtrl, Qt::Key_N), cmd::kNew},
    {key(kNone, Qt::Key_O), cmd::kOptions},
    {key(kCtrl, Qt::Key_O), cmd::kOpen},
    {key(kNone, Qt::Key_P), pc::kPlay},
    {key(kNone, Qt::Key_R), pc::kRandom},
    {key(kNone, Qt::Key_S), pc::kStopFaded},
    {key(kCtrl, Qt::Key_S), cmd::kSave},
    {key(kNone, Qt::Key_T), cmd::kTrackNumbers},
    {key(kNone, Qt::Key_U), pl::kMoveUp},
    {key(kNone, Qt::Key_V), pc::kPrevious},
    {key(kCtrl, Qt::Key_V), pl::kPaste},
    {key(kShift, Qt::Key_Insert), pl::kPaste},
    {key(kNone, Qt::Key_X), cmd::kMixer},
    {key(kCtrl, Qt::Key_X), pl::kCut},
    {key(kShift, Qt::Key_Delete), pl::kCut},
    {key(kCtrl, Qt::Key_Z), pl::kUndo},
    {key(kAlt, Qt::Key_Backspace), pl::kUndo},
    {key(kNone, Qt::Key_Delete), pl::kRemove},
    {key(kCtrl, Qt::Key_Delete), pl::kClearAll},
    {key(kAlt, Qt::Key_Delete), pl::kDeleteFile},
    {key(kNone, Qt::Key_Insert), pl::kAddTracks},
    {key(Qt::ControlModifier | Qt::KeypadModifier, Qt::Key_Plus), pl::kAddCdTracks},
    {key(kNone, Qt::Key_F2), pl::kRename},
    {key(kAlt, Qt::Key_Return), pl::kRename},
    {key(Qt::AltModifier | Qt::KeypadModifier, Qt::Key_Enter), pl::kRename},
    {key(kNone, Qt::Key_F11), pc::kFullScreen},
    {key(kNone, Qt::Key_F12), cmd::kSaveAs},
    {key(kNone, Qt::Key_F6), cmd::kNextPane},
    {key(kShift, Qt::Key_F6), cmd::kPrevPane},
    {key(kCtrl, Qt::Key_Left), pc::kRewind},
    {key(kCtrl, Qt::Key_Right), pc::kFastForward},
    {key(kNone, Qt::Key_MediaNext), pc::kNext},
    {key(kNone, Qt::Key_MediaPrevious), pc::kPrevious},
    {key(kNone, Qt::Key_MediaStop), pc::kStop},
    {key(kNone, Qt::Key_MediaPlay), pc::kPlayPause},
    {key(kNone, Qt::Key_MediaTogglePlayPause), pc::kPlayPause},
    {key(kNone, Qt::Key_Pause), pc::kPause},
    // The keyboard's application-command keys: "new" and "open"; the rest go to the system.
    {key(kNone, Qt::Key_New), cmd::kNew},
    {key(kNone, Qt::Key_Open), cmd::kOpen},
};

const MenuItem* findIn(std::span<const MenuItem> items, int id) {
    for (const MenuItem& item : items) {
        if (item.kind == K::Command && item.id == id && item.text) {
            return &item;
        }
    }
    return nullptr;
}

}  // namespace

std::span<const MenuPopup> MenuBarTable() {
    return kMenuBar;
}
std::span<const MenuItem> ToolbarsPopupTable() {
    return kToolbarsPopup;
}
std::span<const MenuItem> PlaylistContextMenuTable() {
    return kContextMenu;
}
std::span<const MenuItem> TrayMenuTable() {
    return kTrayMenu;
}
std::span<const Accelerator> AcceleratorTable() {
    return kAccelerators;
}

const MenuItem* FindMenuItem(int id) {
    for (const MenuPopup& popup : kMenuBar) {
        if (const MenuItem* item = findIn(popup.items, id)) {
            return item;
        }
    }
    for (auto table :
         {std::span<const MenuItem>(kToolbarsPopup), std::span<const MenuItem>(kTrayMenu),
          std::span<const MenuItem>(kContextMenu), std::span<const MenuItem>(kKeyOnly)}) {
        if (const MenuItem* item = findIn(table, id)) {
            return item;
        }
    }
    return nullptr;
}

}  // namespace tavi::frame
