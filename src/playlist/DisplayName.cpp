#include "DisplayName.h"

#include "formats/metadata/CMediaFile.h"

#include "EntryKinds.h"

namespace tavi::playlist {

namespace {

const QLatin1String kJingleSuffix(".jingle");

QString mediaFileDisplayName(const QString& path) {
    const auto& hook = displayNameHooks().mediaFileName;
    if (hook) {
        QString name = hook(path);
        if (!name.isEmpty()) {
            return name;
        }
    }
    return FileTitle(path);
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
        [](const QString& path) { return formats::CMediaFile(path).GetDisplayName(); },
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
    const QString extension = EntryExtension(path);
    if (extension == QLatin1String(".PAUSE") || extension == QLatin1String(".LIVE") ||
        extension == QLatin1String(".RECORD")) {
        return FileTitle(path) + QLatin1String(" sec.");
    }
    if (extension == QLatin1String(".CDA")) {
        return cdTrackDisplayName(path);
    }
    if (extension == QLatin1String(".JINGLE")) {
        return mediaFileDisplayName(path.left(path.size() - kJingleSuffix.size()));
    }
    return mediaFileDisplayName(path);
}

}  // namespace tavi::playlist
