#pragma once

#include "HandOffError.h"

#include <QByteArrayView>
#include <QDBusConnection>
#include <QStringList>

#include <optional>

namespace tavi::shellext {

// The files a file manager hands over, as full paths in the order it gave them, and the two
// hand-offs to the player. Loading never trusts its input: a line or argument that names no
// local file (another host, a NUL byte, an empty name) is left out.
class ShellFileList {
public:
    // A "text/uri-list": lines ending in CR LF (or LF), "#" comments, file:// URIs decoded
    // (percent escapes as UTF-8), other URIs kept as they are. kInvalidArg when nothing is left.
    uint32_t LoadFromUriList(QByteArrayView text);
    // Command-line words: file:// URIs as above, anything else a path (made absolute against
    // the current folder).
    uint32_t LoadFromArguments(const QStringList& arguments);

    const QStringList& paths() const { return m_paths; }

    // A new playlist with the files, then Stop and Play when the player took any; the
    // player's window is shown first. The failure, if any; nothing is shown to the user.
    std::optional<HandOffError> PlayInPlayer(QDBusConnection bus) const;
    // The files appended to the playlist; the window and playback are left as they are.
    std::optional<HandOffError> AddToPlayer(QDBusConnection bus) const;

    // One file URI as a local path; empty when it names none.
    static QString PathOfFileUri(QByteArrayView uri);

private:
    uint32_t Loaded(QStringList paths);

    QStringList m_paths;
};

}  // namespace tavi::shellext
