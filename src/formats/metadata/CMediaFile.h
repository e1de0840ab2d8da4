#pragma once

#include "CMetaData.h"

#include <QString>

#include <memory>

namespace tavi::formats {

// One media file's display name and tags. Short-lived: made when a name is wanted; the
// tags are read at most once, and only when the user has switched tag names on.
// One object belongs to one thread, but objects for different files may be used on several
// threads at once: the readers share nothing (TagLib's objects are per file, GStreamer is
// thread-safe). Only the overload without options reads the settings, on the UI thread.
class CMediaFile {
public:
    // What a name depends on besides the file: a copy of the settings, so that a worker
    // thread never reads them.
    struct NameOptions {
        bool useMetaData = false;
        QString displayNameFormat;
        // False for a name that must open nothing (a placeholder painted at once): even the
        // tracks of CUE sheets, named from their sheet whatever useMetaData says, show their
        // file title then.
        bool opensFiles = true;
        // The settings now; UI thread only.
        static NameOptions Current();
    };

    explicit CMediaFile(QString path) : m_path(std::move(path)) {}

    // The reader for the file's kind, opened; null for kinds without tags, unreadable files
    // and anything but a regular file (a FIFO or a device would block the open).
    CMetaData* GetMetaData();
    // The name built from the pattern and the tags, or the file title; computed once.
    QString GetDisplayName(const NameOptions& options);
    // The same with the settings now; UI thread only.
    QString GetDisplayName() { return GetDisplayName(NameOptions::Current()); }

    // The name of the file without folder and extension.
    static QString FileTitle(const QString& path);
    // Fills the pattern's macros with the given values in their fixed order.
    struct TagValues {
        QString artist, title, album, copyright, description, genre, rating, year, overlap;
    };
    static QString ExpandPattern(const QString& pattern, const TagValues& values);

private:
    QString m_path;
    QString m_displayName;
    std::unique_ptr<CMetaData> m_reader;
    bool m_readerTried = false;
};

}  // namespace tavi::formats
