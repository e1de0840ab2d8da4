#pragma once

#include "app/settings/SettingsValues.h"

#include <QRect>

namespace tavi::ui {

// A stored window rectangle (right and bottom exclusive) as Qt's geometry, and back.
inline QRect FromWinRect(const settings::WinRect& rect) {
    return QRect(QPoint(rect.left, rect.top), QPoint(rect.right - 1, rect.bottom - 1));
}

inline settings::WinRect ToWinRect(const QRect& rect) {
    return {rect.left(), rect.top(), rect.right() + 1, rect.bottom() + 1};
}

}  // namespace tavi::ui
