#include "KilledSaves.h"

#include "SavedFiles.h"

#include <QByteArray>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <algorithm>
#include <chrono>
#include <map>
#include <random>
#include <thread>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tavi::reliability {

namespace {

struct KindFiles {
    QString folder;
    QString path;
    QByteArray versions[2];
    int newSeen = 0;
    int longestKillUs = 30000;  // kills land within the first few saves, however slow the build
    int killsBeforeNew = 0;
};

// A machine that grew busier since the window was measured can make every save outlast it:
// while a kind has shown no new version, its window doubles every ten kills (up to 2 s).
constexpr int kKillsBeforeWider = 10;
constexpr int kWidestKillUs = 2'000'000;

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// A fork that saves versions 1, 0, 1, … until it is killed; the exit status it was left with.
int KillWhileSaving(const QString& kind, const QString& path, std::chrono::microseconds after) {
    const pid_t child = ::fork();
    if (child == 0) {
        try {
            for (int version = 1;; version ^= 1) {
                SaveVersion(kind, path, version);
            }
        } catch (...) {
        }
        ::_exit(1);
    }
    if (child < 0) {
        return -1;
    }
    std::this_thread::sleep_for(after);
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    return status;
}

// How long a forked writer takes from the fork to the end of its first save. A fork's first
// save is slower than the parent's (copied pages, a sanitizer's shadow memory), and a window
// sized by the parent's saves let every kill of a slow kind come before it.
int ForkedFirstSaveUs(const QString& kind, const QString& path) {
    QElapsedTimer clock;
    clock.start();
    const pid_t child = ::fork();
    if (child == 0) {
        try {
            SaveVersion(kind, path, 1);
        } catch (...) {
            ::_exit(1);
        }
        ::_exit(0);
    }
    if (child < 0) {
        return 0;
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return int(clock.nsecsElapsed() / 1000);
}

bool Prepare(const QString& root, const QString& kind, KindFiles& files) {
    files.folder = root + u'/' + kind;
    files.path = files.folder + u'/' + SavedFileName(kind);
    if (!QDir().mkpath(files.folder)) {
        return false;
    }
    // Three times the first save: about a third of the kills come after it.
    files.longestKillUs = std::max(30000, 3 * ForkedFirstSaveUs(kind, files.path));
    for (int version : {1, 0}) {  // ends at 0: the old file of the first kill
        SaveVersion(kind, files.path, version);
        files.versions[version] = Contents(files.path);
    }
    return files.versions[0] != files.versions[1];
}

void WidenUntilNewSeen(KindFiles& files) {
    if (files.newSeen == 0 && ++files.killsBeforeNew % kKillsBeforeWider == 0) {
        files.longestKillUs = std::min(kWidestKillUs, files.longestKillUs * 2);
    }
}

void Note(KilledSavesReport& report, const QString& problem) {
    if (report.firstProblem.isEmpty()) {
        report.firstProblem = problem;
    }
}

}  // namespace

KilledSavesReport RunKilledSaves(const QString& folder, int kills, uint32_t seed) {
    KilledSavesReport report;
    std::map<QString, KindFiles> kinds;
    for (const QString& kind : SavedFileKinds()) {
        if (!Prepare(folder, kind, kinds[kind])) {
            Note(report, kind + QStringLiteral(": the two versions could not be written"));
            return report;
        }
    }
    std::mt19937 random(seed);
    for (int i = 0; i < kills; ++i) {
        const QString& kind = SavedFileKinds()[i % SavedFileKinds().size()];
        KindFiles& files = kinds[kind];
        std::uniform_int_distribution<int> delay(200, files.longestKillUs);  // microseconds
        const int status =
            KillWhileSaving(kind, files.path, std::chrono::microseconds(delay(random)));
        ++report.kills;
        if (!WIFSIGNALED(status)) {
            ++report.writerEnded;
            Note(report, kind + QStringLiteral(": the writer ended by itself"));
        }
        const QByteArray after = Contents(files.path);
        if (after == files.versions[1]) {
            ++files.newSeen;
            ++report.killsAfterNew;
        } else if (after != files.versions[0]) {
            ++report.partialFiles;
            Note(report,
                 kind + QStringLiteral(": %1 bytes after kill %2").arg(after.size()).arg(i));
        }
        WidenUntilNewSeen(files);
        StartAgain(kind, files.path);
        const QStringList left = QDir(files.folder).entryList(QDir::Files | QDir::Hidden);
        if (left != QStringList{SavedFileName(kind)}) {
            report.leftovers += int(left.size()) - 1;
            Note(report, kind + QStringLiteral(": left after kill %1: ").arg(i) + left.join(u' '));
        }
    }
    for (const auto& [kind, files] : kinds) {
        if (files.newSeen == 0) {
            ++report.kindsNeverNew;
            Note(report,
                 kind + QStringLiteral(": never new within %1 us").arg(files.longestKillUs));
        }
    }
    return report;
}

}  // namespace tavi::reliability
