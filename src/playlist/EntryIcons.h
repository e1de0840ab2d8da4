#pragma once

#include <QIcon>

namespace tavi::playlist {

// The media image list: one picture per image index of GetFileImageIndex. Each index has a
// freedesktop icon-theme name and a drawn fallback (a coloured tile with a short label), so
// the list reads the same on a desktop without an icon theme. Needs a QGuiApplication.
class EntryIcons {
public:
    static QIcon icon(int imageIndex);
    // The theme name tried first for an index ("media-optical-audio", ...).
    static QString themeName(int imageIndex);
    // The label of the drawn fallback ("CD", "MID", ...).
    static QString label(int imageIndex);
};

}  // namespace tavi::playlist
