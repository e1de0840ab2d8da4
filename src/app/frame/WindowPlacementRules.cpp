#include "WindowPlacementRules.h"

namespace tavi::frame {

QRect ToQRect(const settings::WinRect& rect) {
    // Windows rectangles exclude their right and bottom edges.
    return QRect(QPoint(rect.left, rect.top), QPoint(rect.right - 1, rect.bottom - 1));
}

settings::WinRect ToWinRect(const QRect& rect) {
    return {rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
}

PlacementDecision DecidePlacement(const std::optional<settings::WindowPlacement>& stored,
                                  bool showingNormally, const QRect& desktop) {
    PlacementDecision decision;
    if (!stored) {
        return decision;
    }
    decision.placementRead = true;
    uint32_t show = showingNormally ? uint32_t(ShowNormal) : uint32_t(ShowHide);
    if (showingNormally && stored->showCmd != ShowHide) {
        show = stored->showCmd;
        decision.showCommand = show;
    }
    if (stored->showCmd == ShowNormal) {
        const QRect rect = ToQRect(stored->normal);
        if (rect.isValid() && rect.intersects(desktop)) {
            decision.normalGeometry = rect;
        }
    }
    return decision;
}

settings::WindowPlacement PlacementOf(uint32_t showCommand, const QRect& normalGeometry) {
    settings::WindowPlacement placement;
    placement.showCmd = showCommand;
    placement.normal = ToWinRect(normalGeometry);
    return placement;
}

}  // namespace tavi::frame
