#pragma once

#include <QByteArrayView>
#include <QString>

#include <optional>

namespace tavi::playlist {

// The target named by a freedesktop ".desktop" file of type Link (its URL, a local file URL
// or path) or Application (the program of its Exec line). Only the [Desktop Entry] group
// is read; comments, other groups and localised keys are ignored.
struct DesktopLink {
    enum class Type { Link, Application };
    Type type = Type::Link;
    QString target;  // a local path or, for an Application, the program as written

    static std::optional<DesktopLink> parse(QByteArrayView bytes);
};

// The local path a shortcut (".lnk" or ".desktop" file) leads to, or nullopt when the
// shortcut cannot be read or its target does not exist.
std::optional<QString> ResolveShortcut(const QString& shortcutPath);
bool IsShortcutFile(const QString& path);

}  // namespace tavi::playlist
