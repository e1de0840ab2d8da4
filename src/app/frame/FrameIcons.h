#pragma once

#include <QIcon>

namespace tavi::frame {

// Icons of the tool bars: the desktop theme's where it has one, else our own drawing.
enum class ToolIcon {
    Play,
    Pause,
    Stop,
    Previous,
    Next,
    Rewind,
    FastForward,
    Open,
    Save,
    New,
    AddTracks,
    Find,
    Options,
    Volume
};
QIcon ToolBarIcon(ToolIcon icon);

// The tray and window icons by their resource numbers: 128 the application, 136..139 the
// four frames of the playing animation, 151 paused.
inline constexpr int kAppIcon = 128;
inline constexpr int kPlayingIconFirst = 136;
inline constexpr int kPlayingIconLast = 139;
inline constexpr int kPausedIcon = 151;
QIcon ResourceIcon(int resourceId);

}  // namespace tavi::frame
