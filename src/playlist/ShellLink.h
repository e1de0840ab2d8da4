#pragma once

#include <QByteArrayView>
#include <QString>

#include <optional>

namespace tavi::playlist {

// The target of a Windows shell-link (".lnk") file, read from its documented binary layout:
// the header (76 bytes, link class id), the optional target id list (skipped), the link
// info with the local base path and common path suffix (8-bit, or 16-bit when the header is
// long enough to hold the Unicode offsets), and the counted string data, of which the
// relative path and working directory are kept. Nothing of the file is trusted: every
// offset and count is checked against the data.
struct ShellLink {
    QString localPath;     // the local base path + common path suffix, "\" turned into "/"
    QString relativePath;  // relative to the link's own folder, "\" turned into "/"
    QString workingDir;

    static std::optional<ShellLink> parse(QByteArrayView bytes);
};

}  // namespace tavi::playlist
