#pragma once

#include <QString>

// The descriptions of the errors the object model raises, as clients see them.
namespace tavi::automation::errortext {

inline QString OutOfMemory() {
    return QStringLiteral("Out of memory");
}
inline QString MacrosNotSupported() {
    return QStringLiteral("Macros are not supported");
}
inline QString NoMainWindow() {
    return QStringLiteral("AfxGetMainWnd failed");
}
inline QString MacroNameMissing(const QString& name) {
    return QStringLiteral("Macro name %1 does not exists").arg(name);
}
inline QString MacroIndexMissing(int index) {
    return QStringLiteral("Macro index %1 does not exist.").arg(index);
}
inline QString MacroNotCreated() {
    return QStringLiteral("Failed to create macro");
}
inline QString DocumentNotFound() {
    return QStringLiteral("Document not found");
}
inline QString DocumentIndexMissing() {
    return QStringLiteral("Document index does not exist.");
}
inline QString PlayJingleUnsupported() {
    return QStringLiteral("PlayJingle() is not supported by Tavi");
}
inline constexpr int kPlayJingleCode = 1001;
// A Playlist object outlived the view it was bound to.
inline QString PlaylistClosed() {
    return QStringLiteral("The playlist is no longer open");
}

}  // namespace tavi::automation::errortext
