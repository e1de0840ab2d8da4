#include "PlaylistFormats.h"

#include "CueEntries.h"
#include "FeedEnclosures.h"
#include "IniList.h"
#include "LineList.h"
#include "SavedSearch.h"
#include "WplList.h"

#include <QFileInfo>

namespace tavi::formats {

namespace {

constexpr PlaylistFormat kFormats[] = {
    {".ALB", ReadLineList, WriteLineList},           {".MPL", ReadLineList, WriteLineList},
    {".M3U", ReadLineList, WriteLineList},           {".PLS", ReadIniList, WriteIniList},
    {".ROTATION", ReadIniList, WriteIniList},        {".WPL", ReadWplList, WriteWplList},
    {".SEARCH-MS", ReadSavedSearch, WriteLineList},  {".XML", ReadFeedEnclosures, WriteLineList},
    {".CUE", ReadCueSheetList, RefuseCueSheetWrite},
};

constexpr PlaylistFormat kAnyOther = {nullptr, ReadLineList, WriteLineList};

}  // namespace

QString UpperExtension(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? QString() : name.mid(dot).toUpper();
}

const PlaylistFormat& FormatForPath(const QString& path) {
    const QString extension = UpperExtension(path);
    for (const PlaylistFormat& format : kFormats) {
        if (extension == QLatin1String(format.extension)) {
            return format;
        }
    }
    return kAnyOther;
}

bool HasPlaylistFormat(const QString& path) {
    return FormatForPath(path).extension != nullptr;
}

}  // namespace tavi::formats
