#include "EntryKinds.h"

#include "platform/fs/MediaLocation.h"
#include "platform/mci/MciExtensions.h"

#include <QHash>

#include <initializer_list>

namespace tavi::playlist {

namespace {

struct ExtensionGroup {
    int value;
    std::initializer_list<const char*> extensions;
};

// Icon index by extension; first match wins, so no extension appears twice.
const ExtensionGroup kImageIndexes[] = {
    {0, {".CDA"}},
    {1, {".MID", ".RMI", ".MMM"}},
    {2, {".WAV"}},
    {3, {".AU", ".SND"}},
    {4, {".AIF", ".AIFC", ".AIFF"}},
    {5, {".MP3", ".MP2"}},
    {6, {".AVI"}},
    {7, {".MOV", ".QT"}},
    {8, {".FLI", ".FLC"}},
    {9, {".ENV", ".M1V", ".MPE", ".MPG", ".MPEG"}},
    // Modules: the classic kinds, and the further formats the module library reads.
    {10,
     {".MOD", ".S3M", ".XM", ".669", ".STM", ".NST", ".IT", ".MDZ", ".ITZ", ".MPTM", ".OKT",
      ".MED"}},
    {12, {".RA", ".RM", ".RMX", ".RT", ".SMI", ".RAM"}},
    {13, {".PAUSE"}},
    {14, {".M3U", ".MPL"}},
    {15, {".ALB", ".PLS"}},
    {20, {".PLAY"}},
    {21, {".STOP"}},
    {22, {".CMD", ".BAT", ".LNK", ".PL", ".EXE", ".COM"}},
    {23, {".INI"}},
    {24, {".RECORD"}},
    {25, {".JINGLE"}},
    {26, {".WMA", ".WMV", ".ASF"}},
    {27, {".DIR"}},
    {28, {".ROTATION"}},
    {29, {".VBS", ".JS"}},
    {30, {".OGG"}},
    {31, {".MP4"}},
    {32, {".TXT"}},
    {33, {".WPL"}},
};
constexpr int kImageMciDevice = 17;
constexpr int kImageOther = 18;

// Answers of the media-file test that come before the MCI table.
const ExtensionGroup kMediaDecisions[] = {
    {0, {".ALB", ".PLS", ".M3U", ".WPL"}},
    {1,
     {".CDA", ".CUETRACK", ".PAUSE", ".MOD", ".S3M", ".XM", ".669", ".STM", ".NST", ".IT", ".MDZ",
      ".ITZ", ".MPTM", ".OKT", ".MED", ".MPL"}},
};

const std::initializer_list<const char*> kInsertableExtensions = {
    ".DIR", ".ROTATION", ".START", ".STOP", ".TXT", ".JINGLE", ".ALB", ".PLS", ".WPL", ".M3U"};
const std::initializer_list<const char*> kVideoExtensions = {
    ".AVI", ".MPG", ".MPEG", ".WMV", ".ASF", ".FLI", ".FLC", ".MOV", ".QT"};
const std::initializer_list<const char*> kExpandableExtensions = {".SEARCH-MS", ".ALB", ".WPL",
                                                                  ".PLS"};

template <std::size_t N>
QHash<QString, int> tableOf(const ExtensionGroup (&groups)[N]) {
    QHash<QString, int> table;
    for (const auto& group : groups) {
        for (const char* extension : group.extensions) {
            table.insert(QLatin1String(extension), group.value);
        }
    }
    return table;
}

bool isOneOf(const QString& extension, std::initializer_list<const char*> extensions) {
    for (const char* candidate : extensions) {
        if (extension == QLatin1String(candidate)) {
            return true;
        }
    }
    return false;
}

qsizetype lastSlash(const QString& path) {
    return path.lastIndexOf(QLatin1Char('/'));
}

}  // namespace

QString FileNamePart(const QString& path) {
    return path.mid(lastSlash(path) + 1);
}

QString FolderPart(const QString& path) {
    return path.left(lastSlash(path) + 1);
}

QString EntryExtension(const QString& path) {
    const qsizetype start = lastSlash(path) + 1;
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    return dot < start ? QString() : path.mid(dot).toUpper();
}

QString RawExtension(const QString& path) {
    const qsizetype start = lastSlash(path) + 1;
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    return dot < start ? QString() : path.mid(dot);
}

QString FileTitle(const QString& path) {
    const qsizetype start = lastSlash(path) + 1;
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    return dot < start ? path.mid(start) : path.mid(start, dot - start);
}

// A stream URL is media whatever its last part looks like ("/live", "/radio.com"), unless it
// names a playlist.
bool IsMediaFile(const QString& path) {
    const QString extension = EntryExtension(path);
    if (fs::IsStreamUrl(path)) {
        static const QHash<QString, int> decisions = tableOf(kMediaDecisions);
        return decisions.value(extension, 1) != 0;
    }
    return IsMediaExtension(extension);
}

bool IsMediaExtension(const QString& extension) {
    static const QHash<QString, int> decisions = tableOf(kMediaDecisions);
    if (extension.isEmpty()) {
        return false;
    }
    const auto decided = decisions.constFind(extension);
    if (decided != decisions.constEnd()) {
        return *decided != 0;
    }
    return mci::HasMciDevice(extension) || extension == QLatin1String(".OGG");
}

bool IsInsertableFile(const QString& path) {
    return isOneOf(EntryExtension(path), kInsertableExtensions) || IsMediaFile(path);
}

bool IsMiniPlaylistFile(const QString& path) {
    return EntryExtension(path) == QLatin1String(".MPL");
}

bool IsVideoFile(const QString& path) {
    return isOneOf(EntryExtension(path), kVideoExtensions);
}

bool IsExpandablePlaylistFile(const QString& path) {
    return isOneOf(EntryExtension(path), kExpandableExtensions);
}

int GetFileImageIndex(const QString& path) {
    static const QHash<QString, int> indexes = tableOf(kImageIndexes);
    const QString extension = EntryExtension(path);
    const auto found = indexes.constFind(extension);
    if (found != indexes.constEnd()) {
        return *found;
    }
    return mci::HasMciDevice(extension) ? kImageMciDevice : kImageOther;
}

}  // namespace tavi::playlist
