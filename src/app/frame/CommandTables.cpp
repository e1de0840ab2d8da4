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

constexpr MenuItem kSeparator{0, {}, {}, K::Separator};

constexpr MenuItem kFileMenu[] = {
    {cmd::kNew, QT_TRANSLATE_NOOP3("Menu", "&New", "57600"),
     QT_TRANSLATE_NOOP3("Menu", "Create a new playlist", "57600")},
    {cmd::kOpen, QT_TRANSLATE_NOOP3("Menu", "&Open...", "57601"),
     QT_TRANSLATE_NOOP3("Menu", "Open an existing playlist or media file", "57601")},
    {cmd::kSave, QT_TRANSLATE_NOOP3("Menu", "&Save", "57603"),
     QT_TRANSLATE_NOOP3("Menu", "Save the playlist", "57603")},
    {cmd::kSaveAs, QT_TRANSLATE_NOOP3("Menu", "Save &As...", "57604"),
     QT_TRANSLATE_NOOP3("Menu", "Save the playlist with a new name", "57604")},
    kSeparator,
    {cmd::kSend, QT_TRANSLATE_NOOP3("Menu", "Sen&d...", "32809"),
     QT_TRANSLATE_NOOP3("Menu", "Send the playlist through electronic mail", "32809")},
    kSeparator,
    {cmd::kRecentFirst, QT_TRANSLATE_NOOP3("Menu", "Recent Files", "57616"),
     QT_TRANSLATE_NOOP3("Menu", "Open this playlist", "57616"), K::RecentFiles},
    kSeparator,
    {pl::kRename, QT_TRANSLATE_NOOP3("Menu", "Re&name", "44000"),
     QT_TRANSLATE_NOOP3("Menu", "Rename the selected entry", "44000")},
    {pl::kDeleteFile, QT_TRANSLATE_NOOP3("Menu", "&Delete File", "32783"),
     QT_TRANSLATE_NOOP3("Menu", "Move the selected entry's file to the trash", "32783")},
    kSeparator,
    {cmd::kExit, QT_TRANSLATE_NOOP3("Menu", "E&xit", "57665"),
     QT_TRANSLATE_NOOP3("Menu", "Quit Tavi", "57665")},
};

constexpr MenuItem kEditMenu[] = {
    {pl::kUndo, QT_TRANSLATE_NOOP3("Menu", "&Undo", "57643"),
     QT_TRANSLATE_NOOP3("Menu", "Undo the last change of the playlist", "57643")},
    {pl::kRedo, QT_TRANSLATE_NOOP3("Menu", "&Redo", "57644"),
     QT_TRANSLATE_NOOP3("Menu", "Redo the change undone last", "57644")},
    kSeparator,
    {pl::kCut, QT_TRANSLATE_NOOP3("Menu", "Cu&t", "57635"),
     QT_TRANSLATE_NOOP3("Menu", "Cut the selected entry to the clipboard", "57635")},
    {pl::kCopy, QT_TRANSLATE_NOOP3("Menu", "&Copy", "57634"),
     QT_TRANSLATE_NOOP3("Menu", "Copy the selected entry to the clipboard", "57634")},
    {pl::kPaste, QT_TRANSLATE_NOOP3("Menu", "&Paste", "57637"),
     QT_TRANSLATE_NOOP3("Menu", "Insert the clipboard's files", "57637")},
    {pl::kRemove, QT_TRANSLATE_NOOP3("Menu", "C&lear", "57632"),
     QT_TRANSLATE_NOOP3("Menu", "Remove the selected entry from the playlist", "57632")},
    {pl::kClearAll, QT_TRANSLATE_NOOP3("Menu", "Clear &All", "57633"),
     QT_TRANSLATE_NOOP3("Menu", "Remove every entry from the playlist", "57633")},
};

constexpr MenuItem kToolbarsPopup[] = {
    {cmd::kViewMainToolbar, QT_TRANSLATE_NOOP3("Menu", "&Main Toolbar", "59392"),
     QT_TRANSLATE_NOOP3("Menu", "Show or hide the main tool bar", "59392")},
    {cmd::kViewExplorerBar, QT_TRANSLATE_NOOP3("Menu", "&Explorer Bar", "59400"),
     QT_TRANSLATE_NOOP3("Menu", "Show or hide the explorer bar", "59400")},
    {cmd::kViewOutputWindow, QT_TRANSLATE_NOOP3("Menu", "&Output Window", "59399"),
     QT_TRANSLATE_NOOP3("Menu", "Show or hide the output window", "59399")},
    {cmd::kViewMediaBar, QT_TRANSLATE_NOOP3("Menu", "Media &Control Bar", "59396"),
     QT_TRANSLATE_NOOP3("Menu", "Show or hide the media control bar", "59396")},
    {cmd::kViewStatusBar, QT_TRANSLATE_NOOP3("Menu", "&Status Bar", "59393"),
     QT_TRANSLATE_NOOP3("Menu", "Show or hide the status bar", "59393")},
};

constexpr MenuItem kViewMenu[] = {
    {0, QT_TRANSLATE_NOOP3("Menu", "&Toolbars", ""), {}, K::ToolbarsPopup},
    {cmd::kLanguageFirst, QT_TRANSLATE_NOOP3("Menu", "&Language", "43000"),
     QT_TRANSLATE_NOOP3("Menu", "Choose the language of the user interface", "43000"), K::Language},
    kSeparator,
    {cmd::kAnimatedIcon, QT_TRANSLATE_NOOP3("Menu", "A&nimated Icon", "32859"),
     QT_TRANSLATE_NOOP3("Menu", "Animate the tray icon while playing", "32859")},
    {cmd::kAlwaysOnTop, QT_TRANSLATE_NOOP3("Menu", "Always on &Top", "43100"),
     QT_TRANSLATE_NOOP3("Menu", "Keep the window above all others", "43100")},
    {cmd::kFont, QT_TRANSLATE_NOOP3("Menu", "&Font...", "32810"),
     QT_TRANSLATE_NOOP3("Menu", "Choose the playlist font", "32810")},
    kSeparator,
    {cmd::kFullPath, QT_TRANSLATE_NOOP3("Menu", "Full &Path", "32795"),
     QT_TRANSLATE_NOOP3("Menu", "Show the full paths of the entries", "32795")},
    {cmd::kTrackNumbers, QT_TRANSLATE_NOOP3("Menu", "Track &Numbers", "32818"),
     QT_TRANSLATE_NOOP3("Menu", "Show track numbers in the playlist", "32818")},
    kSeparator,
    {pc::kFullScreen, QT_TRANSLATE_NOOP3("Menu", "F&ull Screen", "32899"),
     QT_TRANSLATE_NOOP3("Menu", "Switch full-screen mode on or off", "32899")},
};

constexpr MenuItem kPlaylistMenu[] = {
    {pl::kAddTracks, QT_TRANSLATE_NOOP3("Menu", "&Add Tracks...", "32781"),
     QT_TRANSLATE_NOOP3("Menu", "Add files to the playlist", "32781")},
    {pl::kAddCdTracks, QT_TRANSLATE_NOOP3("Menu", "Add All &CD Tracks", "32806"),
     QT_TRANSLATE_NOOP3("Menu", "Add every track of the audio CD", "32806")},
    {pl::kAddPause, QT_TRANSLATE_NOOP3("Menu", "Add &Pause", "32805"),
     QT_TRANSLATE_NOOP3("Menu", "Add a pause entry", "32805")},
    kSeparator,
    {cmd::kFind, QT_TRANSLATE_NOOP3("Menu", "&Find...", "32817"),
     QT_TRANSLATE_NOOP3("Menu", "Find an entry by its name", "32817")},
    {pl::kSort, QT_TRANSLATE_NOOP3("Menu", "&Sort", "32858"),
     QT_TRANSLATE_NOOP3("Menu", "Sort the playlist by name", "32858")},
    {pl::kShuffle, QT_TRANSLATE_NOOP3("Menu", "S&huffle", "32808"),
     QT_TRANSLATE_NOOP3("Menu", "Put the entries in random order", "32808")},
    kSeparator,
    {pl::kTotalLength, QT_TRANSLATE_NOOP3("Menu", "&Total Length", "32792"),
     QT_TRANSLATE_NOOP3("Menu", "Add up the length of every entry", "32792")},
};

constexpr MenuItem kMediaMenu[] = {
    {pc::kPlay, QT_TRANSLATE_NOOP3("Menu", "&Play", "32771"),
     QT_TRANSLATE_NOOP3("Menu", "Play the selected entry", "32771")},
    kSeparator,
    {pc::kLoop, QT_TRANSLATE_NOOP3("Menu", "&Loop Track", "194"),
     QT_TRANSLATE_NOOP3("Menu", "Play the current track again and again", "194")},
    {pc::kIntroScan, QT_TRANSLATE_NOOP3("Menu", "&Intro Scan", "32779"),
     QT_TRANSLATE_NOOP3("Menu", "Play the beginning of each track", "32779")},
    {pc::kRandom, QT_TRANSLATE_NOOP3("Menu", "&Random Play", "32782"),
     QT_TRANSLATE_NOOP3("Menu", "Play the entries in random order", "32782")},
    {pc::kRepeat, QT_TRANSLATE_NOOP3("Menu", "Repeat Play&list", "32862"),
     QT_TRANSLATE_NOOP3("Menu", "Start again after the last entry", "32862")},
    {pc::kShuffle, QT_TRANSLATE_NOOP3("Menu", "Auto &Shuffle", "32878"),
     QT_TRANSLATE_NOOP3("Menu", "Shuffle the playlist before each round", "32878")},
};

constexpr MenuItem kProgramsMenu[] = {
    {0, {}, {}, K::Programs},
    {cmd::kToolsEdit, QT_TRANSLATE_NOOP3("Menu", "&Edit...", "32815"),
     QT_TRANSLATE_NOOP3("Menu", "Edit the programs of this menu", "32815")},
};

constexpr MenuItem kToolsMenu[] = {
    {cmd::kMixer, QT_TRANSLATE_NOOP3("Menu", "&Mixer...", "32784"),
     QT_TRANSLATE_NOOP3("Menu", "Start the Mixer", "32784")},
    kSeparator,
    {cmd::kCdOpen, QT_TRANSLATE_NOOP3("Menu", "CD Op&en", "32798"),
     QT_TRANSLATE_NOOP3("Menu", "Open the CD drive's door", "32798")},
    {cmd::kCdClose, QT_TRANSLATE_NOOP3("Menu", "CD &Close", "32802"),
     QT_TRANSLATE_NOOP3("Menu", "Close the CD drive's door", "32802")},
    kSeparator,
    {cmd::kOptions, QT_TRANSLATE_NOOP3("Menu", "&Options...", "32780"),
     QT_TRANSLATE_NOOP3("Menu", "Change the options", "32780")},
};

constexpr MenuItem kHelpMenu[] = {
    {cmd::kHelpContents, QT_TRANSLATE_NOOP3("Menu", "&Help Contents", "32875"),
     QT_TRANSLATE_NOOP3("Menu", "Open the manual", "32875")},
    {cmd::kAbout, QT_TRANSLATE_NOOP3("Menu", "&About Tavi...", "57664"),
     QT_TRANSLATE_NOOP3("Menu", "Show the program's version and credits", "57664")},
};

constexpr MenuPopup kMenuBar[] = {
    {QT_TRANSLATE_NOOP("Menu", "&File"), kFileMenu},
    {QT_TRANSLATE_NOOP("Menu", "&Edit"), kEditMenu},
    {QT_TRANSLATE_NOOP("Menu", "&View"), kViewMenu},
    {QT_TRANSLATE_NOOP("Menu", "&Playlist"), kPlaylistMenu},
    {QT_TRANSLATE_NOOP("Menu", "&Media"), kMediaMenu},
    {QT_TRANSLATE_NOOP("Menu", "P&rograms"), kProgramsMenu},
    {QT_TRANSLATE_NOOP("Menu", "&Tools"), kToolsMenu},
    {QT_TRANSLATE_NOOP("Menu", "&Help"), kHelpMenu},
};

// The entry commands the context menu and the tray menu share.
constexpr MenuItem kAddTracksItem{pl::kAddTracks, QT_TRANSLATE_NOOP3("Menu", "&Add...", "32781"),
                                  QT_TRANSLATE_NOOP3("Menu", "Add files to the playlist", "32781")};
constexpr MenuItem kRenameItem{pl::kRename, QT_TRANSLATE_NOOP3("Menu", "Re&name", "44000"),
                               QT_TRANSLATE_NOOP3("Menu", "Rename the selected entry", "44000")};
constexpr MenuItem kRemoveItem{
    pl::kRemove, QT_TRANSLATE_NOOP3("Menu", "&Remove", "57632"),
    QT_TRANSLATE_NOOP3("Menu", "Remove the selected entry from the playlist", "57632")};
constexpr MenuItem kDeleteFileItem{
    pl::kDeleteFile, QT_TRANSLATE_NOOP3("Menu", "&Delete File", "32783"),
    QT_TRANSLATE_NOOP3("Menu", "Move the selected entry's file to the trash", "32783")};

constexpr MenuItem kContextMenu[] = {
    kAddTracksItem,
    kRenameItem,
    kRemoveItem,
    kDeleteFileItem,
    kSeparator,
    {cmd::kExplorer, QT_TRANSLATE_NOOP3("Menu", "&Explorer", "55296"),
     QT_TRANSLATE_NOOP3("Menu", "What the desktop can do with the entry's file", "55296")},
    {cmd::kProperties, QT_TRANSLATE_NOOP3("Menu", "P&roperties", "32891"),
     QT_TRANSLATE_NOOP3("Menu", "Show the entry's file information", "32891")},
    {cmd::kAdditionalInformation, QT_TRANSLATE_NOOP3("Menu", "Additional &Information", "32877"),
     QT_TRANSLATE_NOOP3("Menu", "Displays additional information about a track", "32877")},
};

constexpr MenuItem kTrayMenu[] = {
    {cmd::kRestore, QT_TRANSLATE_NOOP3("Menu", "&Restore", "32812"),
     QT_TRANSLATE_NOOP3("Menu", "Show the main window", "32812")},
    kSeparator,
    kAddTracksItem,
    kRenameItem,
    kRemoveItem,
    kDeleteFileItem,
    {cmd::kExplorer, QT_TRANSLATE_NOOP3("Menu", "&Explorer", "55296"),
     QT_TRANSLATE_NOOP3("Menu", "What the desktop can do with the entry's file", "55296")},
    kSeparator,
    {pc::kPause, QT_TRANSLATE_NOOP3("Menu", "&Pause", "32773"),
     QT_TRANSLATE_NOOP3("Menu", "Pause or resume playing", "32773")},
    {pc::kStopFaded, QT_TRANSLATE_NOOP3("Menu", "&Stop", "32860"),
     QT_TRANSLATE_NOOP3("Menu", "Stop playing", "32860")},
    {pc::kNext, QT_TRANSLATE_NOOP3("Menu", "&Next Track", "32776"),
     QT_TRANSLATE_NOOP3("Menu", "Play the next entry", "32776")},
    {pc::kPlay, QT_TRANSLATE_NOOP3("Menu", "S&tart", "32771"),
     QT_TRANSLATE_NOOP3("Menu", "Play the selected entry", "32771")},
    kSeparator,
    {cmd::kExit, QT_TRANSLATE_NOOP3("Menu", "E&xit", "57665"),
     QT_TRANSLATE_NOOP3("Menu", "Quit Tavi", "57665")},
    kSeparator,
    {cmd::kHideWhenMinimized, QT_TRANSLATE_NOOP3("Menu", "&Hide When Minimized", "32895"),
     QT_TRANSLATE_NOOP3("Menu", "Only the tray icon remains when minimised", "32895")},
};

// Commands reached by key only still need a prompt for the status bar.
constexpr MenuItem kKeyOnly[] = {
    {pc::kStop, QT_TRANSLATE_NOOP3("Menu", "Stop", "32772"),
     QT_TRANSLATE_NOOP3("Menu", "Stop playing at once", "32772")},
    {pc::kPause, QT_TRANSLATE_NOOP3("Menu", "Pause", "32773"),
     QT_TRANSLATE_NOOP3("Menu", "Pause or resume playing", "32773")},
    {pc::kPlayPause, QT_TRANSLATE_NOOP3("Menu", "Play/Pause", "32879"),
     QT_TRANSLATE_NOOP3("Menu", "Play, or pause and resume", "32879")},
    {pc::kNext, QT_TRANSLATE_NOOP3("Menu", "Next Track", "32776"),
     QT_TRANSLATE_NOOP3("Menu", "Play the next entry", "32776")},
    {pc::kPrevious, QT_TRANSLATE_NOOP3("Menu", "Previous Track", "32777"),
     QT_TRANSLATE_NOOP3("Menu", "Play the previous entry", "32777")},
    {pc::kFastForward, QT_TRANSLATE_NOOP3("Menu", "Fast Forward", "32774"),
     QT_TRANSLATE_NOOP3("Menu", "Skip forward in the track", "32774")},
    {pc::kRewind, QT_TRANSLATE_NOOP3("Menu", "Rewind", "32775"),
     QT_TRANSLATE_NOOP3("Menu", "Skip back in the track", "32775")},
    {pc::kSetupDevice, QT_TRANSLATE_NOOP3("Menu", "Setup Device", "32816"),
     QT_TRANSLATE_NOOP3("Menu", "Set up the playing device", "32816")},
    {pl::kMoveUp, QT_TRANSLATE_NOOP3("Menu", "Move Up", "32786"),
     QT_TRANSLATE_NOOP3("Menu", "Move the selected entry up", "32786")},
    {pl::kMoveDown, QT_TRANSLATE_NOOP3("Menu", "Move Down", "32787"),
     QT_TRANSLATE_NOOP3("Menu", "Move the selected entry down", "32787")},
    {cmd::kNextPane, QT_TRANSLATE_NOOP3("Menu", "Next Pane", "57680"),
     QT_TRANSLATE_NOOP3("Menu", "Move to the next pane", "57680")},
    {cmd::kPrevPane, QT_TRANSLATE_NOOP3("Menu", "Previous Pane", "57681"),
     QT_TRANSLATE_NOOP3("Menu", "Move to the previous pane", "57681")},
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
    {key(kCtrl, Qt::Key_Y), pl::kRedo},  // the redo keys of Linux programs
    {key(kCtrl | kShift, Qt::Key_Z), pl::kRedo},
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
        if (item.kind == K::Command && item.id == id && !item.text.isNull()) {
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
