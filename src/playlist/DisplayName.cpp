#include "DisplayName.h"

#include "formats/metadata/CMediaFile.h"

#include "EntryKinds.h"
#include "platform/fs/MediaLocation.h"

#include <QCoreApplication>

namespace tavi::playlist {

namespace {

const QLatin1String kJingleSuffix(".jingle");
const QLatin1String kCueTrack(".CUETRACK");

bool IsCountedEntry(const QString& extension) {
    return extension == QLatin1String(".PAUSE") || extension == QLatin1String(".LIVE") ||
           extension == QLatin1String(".RECORD");
}

QString mediaFileDisplayName(const QString& path, const NameOptions& options,
                             const DisplayNameHooks::MediaFileName& hook) {
    if (options.useMetaData && hook && !fs::IsStreamUrl(path)) {
        QString name = hook(path, options);
        if (!name.isEmpty()) {
            return name;
        }
    }
    const QString title = FileTitle(path);  // what CMediaFile answers without tags
    // A stream URL ending in "/" or a port has no title of its own: it shows as it stands.
    return title.isEmpty() && fs::IsStreamUrl(path) ? path : title;
}

QString withoutJingleSuffix(const QString& path) {
    return path.left(path.size() - kJingleSuffix.size());
}

QString cdTrackDisplayName(const QString& path) {
    const int number = CdTrackNumberOf(path);
    const auto& hook = displayNameHooks().cdTrackTitle;
    if (number != 0 && hook) {
        QString name = hook(number);
        if (!name.isEmpty()) {
            return name;
        }
    }
    return FileTitle(path);
}

}  // namespace

DisplayNameHooks& displayNameHooks() {
    static DisplayNameHooks hooks{
        [](const QString& path, const NameOptions& options) {
            return formats::CMediaFile(path).GetDisplayName(options);
        },
        {},
    };
    return hooks;
}

int CdTrackNumberOf(const QString& path) {
    const QString title = FileTitle(path);
    if (title.size() < 2) {
        return 0;
    }
    const QChar tens = title.at(title.size() - 2);
    const QChar ones = title.at(title.size() - 1);
    const auto digit = [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); };
    if (!digit(tens) || !digit(ones)) {
        return 0;
    }
    return (tens.unicode() - '0') * 10 + (ones.unicode() - '0');
}

QString GetDisplayName(const QString& path) {
    return GetDisplayName(path, NameOptions::Current());
}

QString GetDisplayName(const QString& path, const NameOptions& options) {
    const QString extension = EntryExtension(path);
    if (IsCountedEntry(extension)) {
        return FileTitle(path) + QCoreApplication::translate("DisplayName", " sec.");
    }
    if (extension == QLatin1String(".CDA")) {
        return cdTrackDisplayName(path);
    }
    return GetFileDisplayName(path, options, displayNameHooks().mediaFileName);
}

QString GetFileDisplayName(const QString& path, const NameOptions& options,
                           const DisplayNameHooks::MediaFileName& mediaFileName) {
    if (EntryExtension(path) == kCueTrack) {
        // A sheet's track has no name but the sheet's, whether file tags are shown or not.
        NameOptions fromSheet = options;
        fromSheet.useMetaData = options.opensFiles;
        return mediaFileDisplayName(path, fromSheet, mediaFileName);
    }
    const bool jingle = EntryExtension(path) == QLatin1String(".JINGLE");
    return mediaFileDisplayName(jingle ? withoutJingleSuffix(path) : path, options, mediaFileName);
}

bool DisplayNameReadsFile(const QString& path, const NameOptions& options) {
    if (EntryExtension(path) == kCueTrack) {
        return true;  // the sheet is read for it
    }
    if (!options.useMetaData || fs::IsStreamUrl(path)) {
        return false;  // a stream is never read for its name
    }
    const QString extension = EntryExtension(path);
    return !IsCountedEntry(extension) && extension != QLatin1String(".CDA");
}

}  // namespace tavi::playlist
