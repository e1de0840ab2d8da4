#include "PlaylistFileAccess.h"

#include "formats/CPlaylistFile.h"
#include "formats/CueEntries.h"
#include "formats/DocumentFiles.h"
#include "platform/errors/CException.h"

#include <stdexcept>

namespace tavi::playlist {

namespace {
[[noreturn]] void Rethrow(const QString& message) {
    throw std::runtime_error(message.toLocal8Bit().toStdString());
}
}  // namespace

QStringList LoadDocumentEntries(const QString& path) {
    try {
        return formats::LoadPlaylistForDocument(path);
    } catch (const errors::CException& error) {
        Rethrow(formats::DocumentLoadErrorMessage(&error, path));
    }
}

void SaveDocumentEntries(const QString& path, const QStringList& entries) {
    try {
        formats::SavePlaylistFromDocument(path, entries);
    } catch (const errors::CException& error) {
        Rethrow(formats::DocumentSaveErrorMessage(&error));
    }
}

bool IsPlaylistFile(const QString& path) {
    return formats::IsPlaylistFormatFile(path);
}

bool IsReadOnlyPlaylistFile(const QString& path) {
    return formats::IsCueSheetFile(path);
}

QStringList ExpandPlaylistFile(const QString& path) {
    try {
        formats::CPlaylistFile file;
        file.Load(path);
        return file.Entries();
    } catch (const errors::CException& error) {
        Rethrow(formats::DocumentLoadErrorMessage(&error, path));
    }
}

std::optional<QStringList> ExpandCueSheet(const QString& path) {
    try {
        return formats::CueSheetEntries(path);
    } catch (const errors::CException& error) {
        Rethrow(formats::DocumentLoadErrorMessage(&error, path));
    }
}

}  // namespace tavi::playlist
