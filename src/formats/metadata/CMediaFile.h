#pragma once

#include "CMetaData.h"

#include <QString>

#include <memory>

namespace tavi::formats {

// One media file's display name and tags. Short-lived: made when a name is wanted; the
// tags are read at most once, and only when the user has switched tag names on.
class CMediaFile {
public:
    explicit CMediaFile(QString path) : m_path(std::move(path)) {}

    // The reader for the file's kind, opened; null for kinds without tags or unreadable files.
    CMetaData* GetMetaData();
    // The name built from the pattern and the tags, or the file title; computed once.
    QString GetDisplayName();

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
