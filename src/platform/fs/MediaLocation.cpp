#include "MediaLocation.h"

#include <QUrl>

namespace tavi::fs {

namespace {

constexpr const char* kStreamSchemes[] = {"http://", "https://", "mms://", "rtsp://", "rtmp://"};

QUrl FileUrl(const QString& entry) {
    if (!entry.startsWith(QLatin1String("file://"), Qt::CaseInsensitive)) {
        return {};
    }
    const QUrl url(entry, QUrl::StrictMode);
    return url.isValid() && url.isLocalFile() && url.host().isEmpty() ? url : QUrl();
}

}  // namespace

bool IsStreamUrl(const QString& entry) {
    for (const char* scheme : kStreamSchemes) {
        if (entry.startsWith(QLatin1String(scheme), Qt::CaseInsensitive)) {
            return entry.size() > qsizetype(qstrlen(scheme));
        }
    }
    return false;
}

bool IsFileUrl(const QString& entry) {
    return !FileUrl(entry).isEmpty();
}

QByteArray MediaUri(const QString& entry) {
    if (IsStreamUrl(entry)) {
        // Typed by a user or read from a playlist: spaces and non-ASCII letters are encoded,
        // escapes already there are kept.
        return QUrl(entry, QUrl::TolerantMode).toEncoded();
    }
    if (const QUrl url = FileUrl(entry); !url.isEmpty()) {
        return url.toEncoded();
    }
    return QUrl::fromLocalFile(entry).toEncoded();
}

QString LocalFileOf(const QString& entry) {
    if (IsStreamUrl(entry)) {
        return {};
    }
    const QUrl url = FileUrl(entry);
    return url.isEmpty() ? entry : url.toLocalFile();
}

}  // namespace tavi::fs
