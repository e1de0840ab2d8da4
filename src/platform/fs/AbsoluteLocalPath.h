#pragma once

#include <QDir>
#include <QString>

namespace tavi::fs {

// A file name given from outside (the command line, a file manager) made absolute against
// the working folder and cleaned. Unlike QFileInfo and QDir it takes a leading ':' as part
// of the name: Qt reads that as one of its own resources, which a user's file never is.
// Inline, so that the bus client and the file-manager library need no platform library.
inline QString AbsoluteLocalPath(const QString& path) {
    if (path.isEmpty()) {
        return path;
    }
    const bool absolute = path.startsWith(QLatin1Char('/'));
    return QDir::cleanPath(absolute ? path : QDir::currentPath() + QLatin1Char('/') + path);
}

}  // namespace tavi::fs
