#pragma once

#include <QByteArray>
#include <QString>

namespace tavi::fs {

// Entries are local paths, or URLs of a scheme the media framework reads itself (a radio
// stream, a file on a web server). Only these URL schemes count, so that a local name that
// merely holds "://" is still a file.
bool IsStreamUrl(const QString& entry);
// A "file://" URL naming a local file.
bool IsFileUrl(const QString& entry);
// The URI a media pipeline opens for an entry: a stream URL as it stands, anything else as
// the local file it names.
QByteArray MediaUri(const QString& entry);
// The local file an entry names ("file://" URLs decoded), or empty for a stream URL.
QString LocalFileOf(const QString& entry);

}  // namespace tavi::fs
