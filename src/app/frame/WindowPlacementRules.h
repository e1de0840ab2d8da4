#pragma once

#include "app/settings/SettingsValues.h"

#include <QRect>

#include <optional>

namespace tavi::frame {

// Show commands of a saved placement, with the numbers the stored strings use.
enum ShowCommand : uint32_t { ShowHide = 0, ShowNormal = 1, ShowMinimized = 2, ShowMaximized = 3 };

// What the frame does with a stored "WindowPos" when it is created.
struct PlacementDecision {
    bool placementRead = false;           // only then are the other "MainFrame" flags read
    std::optional<uint32_t> showCommand;  // replaces the program's own show state
    std::optional<QRect> normalGeometry;  // applied without showing the window
};

// The stored show command replaces a normal start (not 0); the normal rectangle is used
// only with the stored show command "normal" and when it meets the desktop.
PlacementDecision DecidePlacement(const std::optional<settings::WindowPlacement>& stored,
                                  bool showingNormally, const QRect& desktop);

// The placement saved for a window: its show state and the rectangle it has when normal.
settings::WindowPlacement PlacementOf(uint32_t showCommand, const QRect& normalGeometry);

QRect ToQRect(const settings::WinRect& rect);
settings::WinRect ToWinRect(const QRect& rect);

}  // namespace tavi::frame
