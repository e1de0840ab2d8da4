#include "EntryPath.h"

#include <QDir>

namespace tavi::formats {

namespace {

// Command entries: the extension names the command.
constexpr const char* kCommandExtensions[] = {"PAUSE", "STOP", "PLAY", "LIVE", "JINGLE"};

bool isCommandEntry(const QString& text) {
    const qsizetype dot = text.lastIndexOf(u'.');
    if (dot < 0 || text.indexOf(u'/', dot) >= 0 || text.indexOf(u'\\', dot) >= 0) {
        return false;
    }
    const QStringView extension = QStringView(text).sliced(dot + 1);
    for (const char* command : kCommandExtensions) {
        if (extension.compare(QLatin1String(command), Qt::CaseInsensitive) == 0) {
            return true;
        }
    }
    return false;
}

bool isWindowsAbsolute(const QString& text) {
    const bool drive = text.size() >= 3 && text[0].isLetter() && text[0].unicode() < 128 &&
                       text[1] == u':' && (text[2] == u'\\' || text[2] == u'/');
    return drive || text.startsWith(QLatin1String("\\\\"));
}

}  // namespace

bool IsVerbatimEntry(const QString& text) {
    return text.contains(QLatin1String("://")) || isCommandEntry(text) || isWindowsAbsolute(text);
}

QString ResolveEntryPath(const QString& text, const QString& baseFolder) {
    if (IsVerbatimEntry(text)) {
        return text;
    }
    if (text.startsWith(u'/')) {
        return QDir::cleanPath(text);  // a Linux path may hold "\" as an ordinary character
    }
    QString path = text;
    path.replace(u'\\', u'/');
    if (!path.startsWith(u'/')) {
        path = baseFolder + u'/' + path;
    }
    return QDir::cleanPath(path);
}

QString ResolveEntryPath(const QString& text) {
    return ResolveEntryPath(text, QDir::currentPath());
}

}  // namespace tavi::formats
