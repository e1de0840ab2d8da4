#pragma once

#include <QDBusConnection>
#include <QString>

namespace tavi::shellext {

// How a failed hand-off reaches the user: always on standard error (the file manager's
// log, or the terminal of a command-line start), and inside a desktop session also as a
// desktop notification with the caption "TaviExt".
class FailureNotice {
public:
    // A desktop session: an X11 or Wayland display is named.
    static bool InDesktopSession();
    // Returns whether a notification was shown.
    static bool Show(QDBusConnection bus, const QString& caption, const QString& text,
                     bool inSession);
};

}  // namespace tavi::shellext
