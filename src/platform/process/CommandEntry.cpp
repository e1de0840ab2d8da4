#include "CommandEntry.h"

#include "ArgumentWords.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <thread>
#include <vector>

extern char** environ;

namespace tavi::process {

namespace {

const char* const kCommandExtensions[] = {"cmd", "bat", "lnk", "pl", "vbs",
                                          "js",  "exe", "com", "sh", "desktop"};

// Spawns argv[0] (looked up on PATH when it has no slash) in a process group of its own, with
// standard input from /dev/null; a detached thread reaps it.
bool Spawn(const QStringList& words, QString* error) {
    std::vector<QByteArray> encoded;
    for (const QString& word : words) {
        encoded.push_back(QFile::encodeName(word));
    }
    std::vector<char*> argv;
    for (QByteArray& word : encoded) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
    pid_t child = 0;
    const int result = posix_spawnp(&child, argv[0], &actions, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (result != 0) {
        *error = QStringLiteral("%1: %2").arg(words.first(),
                                              QString::fromLocal8Bit(std::strerror(result)));
        return false;
    }
    std::thread([child] { waitpid(child, nullptr, 0); }).detach();
    return true;
}

// Media on FAT and NTFS mounts carries execute bits too; only a script or a binary is run.
bool StartsLikeAProgram(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    const QByteArray head = file.read(4);
    return head.startsWith("#!") || head == QByteArray(
                                                "\x7f"
                                                "ELF",
                                                4);
}

}  // namespace

bool IsCommandEntry(const QString& path) {
    const QFileInfo info(path);
    const QString suffix = info.suffix().toLower();
    for (const char* extension : kCommandExtensions) {
        if (suffix == QLatin1String(extension)) {
            return true;
        }
    }
    return info.isFile() && info.isExecutable() && StartsLikeAProgram(path);
}

QString ExpandEnvironment(const QString& entry) {
    static const QRegularExpression names(QStringLiteral(
        R"(\$\{([A-Za-z_][A-Za-z0-9_]*)\}|\$([A-Za-z_][A-Za-z0-9_]*)|%([A-Za-z_][A-Za-z0-9_]*)%)"));
    QString expanded;
    qsizetype last = 0;
    for (const QRegularExpressionMatch& match : names.globalMatch(entry)) {
        QString name = match.captured(1);
        if (name.isEmpty()) {
            name = match.captured(2).isEmpty() ? match.captured(3) : match.captured(2);
        }
        expanded += entry.mid(last, match.capturedStart() - last);
        const QByteArray value = qgetenv(name.toLocal8Bit().constData());
        expanded += qEnvironmentVariableIsSet(name.toLocal8Bit().constData())
                        ? QString::fromLocal8Bit(value)
                        : match.captured(0);
        last = match.capturedEnd();
    }
    return expanded + entry.mid(last);
}

std::optional<QStringList> DesktopExecWords(const QString& desktopFile) {
    QFile file(desktopFile);
    if (!file.open(QIODevice::ReadOnly) || file.size() > 1 << 20) {
        return std::nullopt;
    }
    bool inEntry = false;
    for (const QByteArray& raw : file.readAll().split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inEntry = line == QLatin1String("[Desktop Entry]");
        } else if (inEntry && line.startsWith(QLatin1String("Exec="))) {
            QString command = line.mid(5);
            // Field codes stand for files and URLs handed over; an entry hands none.
            command.replace(QRegularExpression(QStringLiteral("%[fFuUdDnNickvm]")), QString());
            command.replace(QLatin1String("%%"), QLatin1String("%"));
            std::optional<QStringList> words = SplitArguments(command);
            if (!words || words->isEmpty()) {
                return std::nullopt;
            }
            return words;
        }
    }
    return std::nullopt;
}

bool StartCommandEntry(const QString& entry, QString* error) {
    const QString path = ExpandEnvironment(entry);
    const QFileInfo info(path);
    if (!info.exists()) {
        *error =
            QCoreApplication::translate("CommandEntry", "%1: No such file or directory").arg(path);
        return false;
    }
    if (info.suffix().compare(QLatin1String("desktop"), Qt::CaseInsensitive) == 0) {
        const std::optional<QStringList> words = DesktopExecWords(path);
        if (!words) {
            *error = QCoreApplication::translate("CommandEntry", "%1: no command to run").arg(path);
            return false;
        }
        return Spawn(*words, error);
    }
    if (info.isFile() && info.isExecutable()) {
        // A path with a slash is run as it is, never looked up or read by a shell.
        return Spawn({info.absoluteFilePath()}, error);
    }
    return Spawn({QStringLiteral("xdg-open"), info.absoluteFilePath()}, error);
}

}  // namespace tavi::process
