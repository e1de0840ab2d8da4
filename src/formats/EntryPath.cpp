#include "EntryPath.h"

#include <QDir>
#include <QUrl>

namespace tavi::formats {

namespace {

// Command entries: the extension names the command.
constexpr const char* kCommandExtensions[] = {"PAUSE", "STOP", "PLAY", "LIVE", "JINGLE"};

// What the rules need to know about an entry, found in one pass over its characters:
// loading a large playlist runs this for every line, so it must not rescan the text.
struct EntryShape {
    bool hasScheme = false;  // contains "://"
    bool clean = true;       // no "//", no "/." and no trailing "/": cleanPath changes nothing
    qsizetype lastDot = -1;  // after the last separator, or -1
    bool hasBackslash = false;
};

EntryShape shapeOf(const QString& text) {
    EntryShape shape;
    const char16_t* chars = reinterpret_cast<const char16_t*>(text.constData());
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = chars[i];
        if (c > u'/' && c != u'\\') {
            continue;  // letters, digits and most punctuation: nothing to note
        }
        if (c == u'/') {
            const char16_t next = i + 1 < size ? chars[i + 1] : u'/';
            shape.clean = shape.clean && next != u'/' && next != u'.';
            shape.hasScheme = shape.hasScheme || (i > 0 && chars[i - 1] == u':' && next == u'/');
            shape.lastDot = -1;
        } else if (c == u'\\') {
            shape.hasBackslash = true;
            shape.lastDot = -1;
        } else if (c == u'.') {
            shape.lastDot = i;
        }
    }
    return shape;
}

bool isCommandEntry(const QString& text, const EntryShape& shape) {
    if (shape.lastDot < 0) {
        return false;
    }
    const QStringView extension = QStringView(text).sliced(shape.lastDot + 1);
    if (extension.size() < 4 || extension.size() > 6) {
        return false;  // the usual ".mp3" needs no comparison at all
    }
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

bool isVerbatim(const QString& text, const EntryShape& shape) {
    return shape.hasScheme || isCommandEntry(text, shape) || isWindowsAbsolute(text);
}

}  // namespace

QString EntryLineText(const QString& entry) {
    const bool breaksLines = entry.contains(u'\n') || entry.contains(u'\r');
    if (!breaksLines || !entry.startsWith(u'/')) {
        return entry;
    }
    return QUrl::fromLocalFile(entry).toString(QUrl::FullyEncoded);
}

bool IsVerbatimEntry(const QString& text) {
    return isVerbatim(text, shapeOf(text));
}

QString ResolveEntryPath(const QString& text, const QString& baseFolder) {
    if (text.startsWith(QLatin1String("file://"), Qt::CaseInsensitive)) {
        // A local file written as a URI (how names holding line breaks are stored, and how
        // many other players write every entry) is that file.
        const QUrl url(text, QUrl::StrictMode);
        if (url.isValid() && url.isLocalFile() && url.host().isEmpty()) {
            return url.toLocalFile();
        }
    }
    const EntryShape shape = shapeOf(text);
    if (isVerbatim(text, shape)) {
        return text;
    }
    if (text.startsWith(u'/')) {
        // A Linux path may hold "\" as an ordinary character, so it is left alone here.
        return shape.clean ? text : QDir::cleanPath(text);
    }
    QString path = text;
    if (shape.hasBackslash) {
        path.replace(u'\\', u'/');
    }
    if (!path.startsWith(u'/')) {
        path = baseFolder + u'/' + path;
    }
    return QDir::cleanPath(path);
}

QString ResolveEntryPath(const QString& text) {
    return ResolveEntryPath(text, QDir::currentPath());
}

}  // namespace tavi::formats
