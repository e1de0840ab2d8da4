#include "ShellFileList.h"

#include "DispatchClient.h"
#include "platform/fs/AbsoluteLocalPath.h"

namespace tavi::shellext {

namespace {

// The members of the player's objects the hand-off uses, by dispatch identifier.
namespace dispid {
constexpr int kAppPlayer = 1;
constexpr int kAppPlaylist = 2;
constexpr int kAppDocuments = 105;
constexpr int kAppVisible = 115;
constexpr int kAppHwnd = 119;
constexpr int kDocumentsAdd = 5;
constexpr int kPlaylistCount = 1;
constexpr int kPlaylistAdd = 6;
constexpr int kPlayerPlay = 6;
constexpr int kPlayerStop = 7;
}  // namespace dispid

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// Percent escapes decoded; a "%" not followed by two hex digits stands for itself.
QByteArray PercentDecoded(QByteArrayView text) {
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 &&
            HexValue(text[i + 2]) >= 0) {
            bytes.append(char(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2])));
            i += 2;
        } else {
            bytes.append(text[i]);
        }
    }
    return bytes;
}

bool StartsWithNoCase(QByteArrayView text, QByteArrayView prefix) {
    return text.size() >= prefix.size() &&
           QByteArray(text.first(prefix.size()).data(), prefix.size()).toLower() == prefix;
}

// "scheme:" at the start: letters, digits, "+", "-", "." after a first letter.
bool HasScheme(QByteArrayView text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (c == ':') {
            return i > 0;
        }
        if (!letter && (i == 0 || !((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.'))) {
            return false;
        }
    }
    return false;
}

}  // namespace

QString ShellFileList::PathOfFileUri(QByteArrayView uri) {
    if (!StartsWithNoCase(uri, "file:")) {
        return {};
    }
    QByteArrayView rest = uri.sliced(5);
    // A query or fragment is no part of the path (a file name's own "#" or "?" comes escaped).
    for (qsizetype i = 0; i < rest.size(); ++i) {
        if (rest[i] == '#' || rest[i] == '?') {
            rest = rest.first(i);
            break;
        }
    }
    if (rest.startsWith("//")) {
        rest = rest.sliced(2);
        const qsizetype slash = rest.indexOf('/');
        const QByteArrayView host = slash < 0 ? rest : rest.first(slash);
        if (!host.isEmpty() && QByteArray(host.data(), host.size()).toLower() != "localhost") {
            return {};  // a file on another machine
        }
        rest = slash < 0 ? QByteArrayView() : rest.sliced(slash);
    }
    if (!rest.startsWith('/')) {
        return {};
    }
    const QByteArray bytes = PercentDecoded(rest);
    if (bytes.contains('\0')) {
        return {};
    }
    return QString::fromUtf8(bytes);
}

uint32_t ShellFileList::Loaded(QStringList paths) {
    m_paths = std::move(paths);
    return m_paths.isEmpty() ? hresult::kInvalidArg : hresult::kOk;
}

uint32_t ShellFileList::LoadFromUriList(QByteArrayView text) {
    QStringList paths;
    for (QByteArrayView line : QByteArray(text.data(), text.size()).split('\n')) {
        if (line.endsWith('\r')) {
            line.chop(1);
        }
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith('#')) {
            continue;
        }
        if (StartsWithNoCase(line, "file:")) {
            const QString path = PathOfFileUri(line);
            if (!path.isEmpty()) {
                paths.append(path);
            }
        } else if (HasScheme(line) && !line.contains('\0')) {
            paths.append(QString::fromUtf8(line));
        }
    }
    return Loaded(std::move(paths));
}

uint32_t ShellFileList::LoadFromArguments(const QStringList& arguments) {
    QStringList paths;
    for (const QString& argument : arguments) {
        if (argument.isEmpty() || argument.contains(QChar(0))) {
            continue;
        }
        if (argument.startsWith(QLatin1String("file:"), Qt::CaseInsensitive)) {
            const QString path = PathOfFileUri(argument.toUtf8());
            if (!path.isEmpty()) {
                paths.append(path);
            }
        } else {
            paths.append(fs::AbsoluteLocalPath(argument));
        }
    }
    return Loaded(std::move(paths));
}

std::optional<HandOffError> ShellFileList::PlayInPlayer(QDBusConnection bus) const {
    try {
        DispatchClient client(std::move(bus));
        const QString application = client.application();
        try {
            // Brought forward; whether that worked does not matter to the hand-off.
            client.Get(application, dispid::kAppHwnd);
            if (!client.Get(application, dispid::kAppVisible).toBool()) {
                client.Put(application, dispid::kAppVisible, true);
            }
        } catch (const HandOffError&) {
        }
        // The player may first ask whether to save the playlist it replaces: the user's time.
        client.Call(client.GetObject(application, dispid::kAppDocuments), dispid::kDocumentsAdd, {},
                    DispatchClient::kUserTimeoutMs);
        const QString playlist = client.GetObject(application, dispid::kAppPlaylist);
        for (const QString& path : m_paths) {
            client.Call(playlist, dispid::kPlaylistAdd, {path});
        }
        if (client.Get(playlist, dispid::kPlaylistCount).toInt() != 0) {
            const QString player = client.GetObject(application, dispid::kAppPlayer);
            try {
                client.Call(player, dispid::kPlayerStop);
            } catch (const HandOffError&) {
            }
            client.Call(player, dispid::kPlayerPlay);
        }
    } catch (const HandOffError& error) {
        return error;
    }
    return std::nullopt;
}

std::optional<HandOffError> ShellFileList::AddToPlayer(QDBusConnection bus) const {
    try {
        DispatchClient client(std::move(bus));
        const QString playlist = client.GetObject(client.application(), dispid::kAppPlaylist);
        for (const QString& path : m_paths) {
            client.Call(playlist, dispid::kPlaylistAdd, {path});
        }
    } catch (const HandOffError& error) {
        return error;
    }
    return std::nullopt;
}

}  // namespace tavi::shellext
