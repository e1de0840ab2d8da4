#pragma once

// Command ids of the main frame's own commands and of the framework commands it routes.
// Playlist ids are in playlist/CommandIds.h, player ids in engines/player/PlayModes.h; the
// three sets share one number space with the menus, keys, tray and automation.
namespace tavi::frame::cmd {

inline constexpr int kNew = 57600;
inline constexpr int kOpen = 57601;
inline constexpr int kSave = 57603;
inline constexpr int kSaveAs = 57604;
inline constexpr int kRecentFirst = 57616;  // Recent Files: 57616 and following
inline constexpr int kRecentLast = 57631;
inline constexpr int kExit = 57665;
inline constexpr int kAppExit = 32778;  // posts a close request
inline constexpr int kSend = 32809;
inline constexpr int kAbout = 57664;
inline constexpr int kHelpContents = 32875;

inline constexpr int kViewMainToolbar = 59392;
inline constexpr int kViewStatusBar = 59393;
inline constexpr int kViewMediaBar = 59396;
inline constexpr int kViewOutputWindow = 59399;
inline constexpr int kViewExplorerBar = 59400;
inline constexpr int kLanguageFirst = 43000;
inline constexpr int kLanguageLast = 43099;
inline constexpr int kAnimatedIcon = 32859;
inline constexpr int kAlwaysOnTop = 43100;
inline constexpr int kFont = 32810;
inline constexpr int kFullPath = 32795;
inline constexpr int kTrackNumbers = 32818;

inline constexpr int kFind = 32817;
inline constexpr int kToolsEdit = 32815;
inline constexpr int kMixer = 32784;
inline constexpr int kCdOpen = 32798;
inline constexpr int kCdClose = 32802;
inline constexpr int kOptions = 32780;

inline constexpr int kExplorer = 55296;  // the entry's file menu (55296..55551 on the shell's side)
inline constexpr int kProperties = 32891;
inline constexpr int kAdditionalInformation = 32877;
inline constexpr int kRestore = 32812;
inline constexpr int kHideWhenMinimized = 32895;
inline constexpr int kStartup = 32852;

// Keys without a menu item.
inline constexpr int kNextPane = 57680;  // F6
inline constexpr int kPrevPane = 57681;  // Shift+F6

// Controls of the media control bar and the status panes.
inline constexpr int kPositionSlider = 3201;
inline constexpr int kVolumeSlider = 3202;
inline constexpr int kPanePosition = 1001;
inline constexpr int kPaneLength = 1002;

}  // namespace tavi::frame::cmd
