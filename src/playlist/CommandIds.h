#pragma once

// Command ids shared by menus, keys, the tray and automation; the playlist records them as
// the ids of its undo steps.
namespace tavi::playlist::cmd {

inline constexpr int kBase = 0;  // the undo history's base state
inline constexpr int kDrop = 563;
inline constexpr int kPlay = 32771;
inline constexpr int kAddTracks = 32781;
inline constexpr int kTotalLength = 32792;
inline constexpr int kDeleteFile = 32783;
inline constexpr int kMoveUp = 32786;
inline constexpr int kMoveDown = 32787;
inline constexpr int kMoveToBottom = 32788;
inline constexpr int kMoveToTop = 32789;
inline constexpr int kAddPause = 32805;
inline constexpr int kAddCdTracks = 32806;
inline constexpr int kShuffle = 32808;
inline constexpr int kSort = 32858;
inline constexpr int kRename = 44000;
inline constexpr int kRemove = 57632;
inline constexpr int kClearAll = 57633;
inline constexpr int kCopy = 57634;
inline constexpr int kCut = 57635;
inline constexpr int kPaste = 57637;
inline constexpr int kUndo = 57643;
inline constexpr int kRedo = 57644;

}  // namespace tavi::playlist::cmd
