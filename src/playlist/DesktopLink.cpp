#include "DesktopLink.h"

#include "EntryKinds.h"
#include "ShellLink.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

namespace tavi::playlist {

namespace {

constexpr qint64 kMaxShortcutBytes = 1 << 20;

// The first word of an Exec line; a program path with blanks is written in double quotes.
QString programOfExec(const QString& exec) {
    const QString line = exec.trimmed();
    if (line.startsWith(QLatin1Char('"'))) {
        const qsizetype close = line.indexOf(QLatin1Char('"'), 1);
        return close < 0 ? QString() : line.mid(1, close - 1);
    }
    return line.section(QLatin1Char(' '), 0, 0);
}

QString localPathOfUrl(const QString& text) {
    const QUrl url(text);
    if (url.isLocalFile()) {
        return url.toLocalFile();
    }
    return url.scheme().isEmpty() ? text : QString();
}

std::optional<QString> existing(const QString& path) {
    if (!path.isEmpty() && QFileInfo::exists(path)) {
        return path;
    }
    return std::nullopt;
}

std::optional<QString> resolveShellLink(const QByteArray& bytes, const QString& shortcutPath) {
    const auto link = ShellLink::parse(bytes);
    if (!link) {
        return std::nullopt;
    }
    if (auto local = existing(link->localPath)) {
        return local;
    }
    // A link made on another machine: its relative path may still lead somewhere here.
    if (!link->relativePath.isEmpty()) {
        const QDir folder = QFileInfo(shortcutPath).absoluteDir();
        return existing(QDir::cleanPath(folder.absoluteFilePath(link->relativePath)));
    }
    return std::nullopt;
}

std::optional<QString> resolveDesktopLink(const QByteArray& bytes) {
    const auto link = DesktopLink::parse(bytes);
    if (!link) {
        return std::nullopt;
    }
    if (link->type == DesktopLink::Type::Link) {
        return existing(link->target);
    }
    const QString program = link->target.contains(QLatin1Char('/'))
                                ? link->target
                                : QStandardPaths::findExecutable(link->target);
    return existing(program);
}

}  // namespace

std::optional<DesktopLink> DesktopLink::parse(QByteArrayView bytes) {
    const QStringList lines = QString::fromUtf8(bytes).split(QLatin1Char('\n'));
    bool inEntry = false;
    QString type;
    QString url;
    QString exec;
    for (const QString& raw : lines) {
        const QString line = raw.trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inEntry = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (!inEntry || line.startsWith(QLatin1Char('#')) || equals <= 0) {
            continue;
        }
        const QString key = line.left(equals).trimmed();
        const QString value = line.mid(equals + 1).trimmed();
        QString* slot = key == QLatin1String("Type")   ? &type
                        : key == QLatin1String("URL")  ? &url
                        : key == QLatin1String("Exec") ? &exec
                                                       : nullptr;
        if (slot && slot->isNull()) {
            *slot = value;
        }
    }
    DesktopLink link;
    if (type == QLatin1String("Link")) {
        link.target = localPathOfUrl(url);
    } else if (type == QLatin1String("Application")) {
        link.type = Type::Application;
        link.target = programOfExec(exec);
    }
    if (link.target.isEmpty()) {
        return std::nullopt;
    }
    return link;
}

bool IsShortcutFile(const QString& path) {
    const QString extension = EntryExtension(path);
    return extension == QLatin1String(".LNK") || extension == QLatin1String(".DESKTOP");
}

std::optional<QString> ResolveShortcut(const QString& shortcutPath) {
    QFile file(shortcutPath);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxShortcutBytes) {
        return std::nullopt;
    }
    const QByteArray bytes = file.read(kMaxShortcutBytes);
    if (EntryExtension(shortcutPath) == QLatin1String(".LNK")) {
        return resolveShellLink(bytes, shortcutPath);
    }
    return resolveDesktopLink(bytes);
}

}  // namespace tavi::playlist
