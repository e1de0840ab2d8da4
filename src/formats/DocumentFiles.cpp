#include "DocumentFiles.h"

#include "PlaylistFormats.h"

#include "CPlaylistFile.h"
#include "platform/errors/CFileException.h"
#include "platform/fs/AtomicFile.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace tavi::formats {

using errors::CFileException;

namespace {

// One unit for translators: the names change, the patterns and the bars stay.
const char kFilterString[] = QT_TRANSLATE_NOOP(
    "DocumentFiles",
    "Tavi Playlist (*.alb)|*.alb|M3U Playlist (*.m3u)|*.m3u|Windows Media Player Playlist "
    "(*.wpl)|*.wpl|PLS Playlist (*.pls)|*.pls|Lumeno Mini Playlist (*.mpl)|*.mpl|Lumeno "
    "Rotation (*.rotation)|*.rotation|All Files (*.*)|*||");

struct LoadCauseText {
    CFileException::Cause cause;
    const char* text;  // %1 = the path
};

// Opening reports these causes in its own words; other file errors use their own message.
constexpr LoadCauseText kLoadCauseTexts[] = {
    {CFileException::fileNotFound,
     QT_TRANSLATE_NOOP(
         "DocumentFiles",
         "%1\nCannot find this file.\nVerify that the correct path and file name are given.")},
    {CFileException::sharingViolation,
     QT_TRANSLATE_NOOP("DocumentFiles", "Unable to read from %1, it is opened by someone else.")},
    {CFileException::lockViolation,
     QT_TRANSLATE_NOOP("DocumentFiles", "Unable to read from %1, it is opened by someone else.")},
};

}  // namespace

QString PlaylistFilterString() {
    return QCoreApplication::translate("DocumentFiles", kFilterString);
}

QStringList PlaylistDialogFilters() {
    const QStringList parts = PlaylistFilterString().split(u'|', Qt::SkipEmptyParts);
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString label = parts[i];
        label.replace(QLatin1String("(*.*)"), QLatin1String("(*)"));
        filters.append(label);
    }
    return filters;
}

QString DefaultPlaylistExtension() {
    return QStringLiteral("alb");
}

QString WithDefaultExtension(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    if (name.isEmpty() || name.contains(u'.')) {
        return path;
    }
    return path + u'.' + DefaultPlaylistExtension();
}

bool IsPlaylistFormatFile(const QString& path) {
    return HasPlaylistFormat(path);
}

QStringList LoadPlaylistForDocument(const QString& path) {
    // What a run killed while saving this list left beside it goes when it is next opened.
    fs::AtomicFile::SweepLeftoversOf(path);
    CPlaylistFile file;
    file.Load(path);
    // Every entry is kept, however long: Linux paths and stream URLs are not held to the
    // 260 characters of the old path buffers.
    return file.Entries();
}

void SavePlaylistFromDocument(const QString& path, const QStringList& entries) {
    CPlaylistFile file;
    file.Entries() = entries;
    file.SetNextIndex(0);
    file.Save(path);
}

QString DocumentLoadErrorMessage(const errors::CException* error, const QString& path) {
    if (const auto* fileError = dynamic_cast<const CFileException*>(error)) {
        for (const LoadCauseText& entry : kLoadCauseTexts) {
            if (entry.cause == fileError->GetCause()) {
                return QCoreApplication::translate("DocumentFiles", entry.text)
                    .replace(QLatin1String("%1"), path);
            }
        }
    }
    const QString own = error ? error->GetErrorMessage() : QString();
    return own.isEmpty() ? QCoreApplication::translate("DocumentFiles", "Failed to open document.")
                         : own;
}

QString DocumentSaveErrorMessage(const errors::CException* error) {
    const QString own = error ? error->GetErrorMessage() : QString();
    return own.isEmpty() ? QCoreApplication::translate("DocumentFiles", "Failed to save document.")
                         : own;
}

}  // namespace tavi::formats
