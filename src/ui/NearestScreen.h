#pragma once

#include <QGuiApplication>
#include <QRect>
#include <QScreen>

namespace tavi::ui {

// The screen a window belongs on for full screen: the one sharing most of its area (the
// fallback when none does, as for a window placed off every screen).
inline QScreen* ScreenShowingMost(const QRect& window, QScreen* fallback) {
    QScreen* best = fallback;
    qint64 bestArea = 0;
    for (QScreen* screen : QGuiApplication::screens()) {
        const QRect common = screen->geometry().intersected(window);
        const qint64 area = qint64(common.width()) * common.height();
        if (area > bestArea) {
            best = screen;
            bestArea = area;
        }
    }
    return best;
}

}  // namespace tavi::ui
