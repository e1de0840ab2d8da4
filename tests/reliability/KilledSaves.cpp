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
};

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

bool Prepare(const QString& root, const QString& kind, KindFiles& files) {
    files.folder = root + u'/' + kind;
    files.path = files.folder + u'/' + SavedFileName(kind);
    if (!QDir().mkpath(files.folder)) {
        return false;
    }
    QElapsedTimer clock;
    clock.start();
    for (int version : {1, 0}) {  // ends at 0: the old file of the first kill
        SaveVersion(kind, files.path, version);
        files.versions[version] = Contents(files.path);
    }
    files.longestKillUs = std::max(30000, int(clock.nsecsElapsed() / 1000) * 2);
    return files.versions[0] != files.versions[1];
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
        StartAgain(kind, files.path);
        const QStringList left = QDir(files.folder).entryList(QDir::Files | QDir::Hidden);
        if (left != QStringList{SavedFileName(kind)}) {
            report.leftovers += int(left.size()) - 1;
            Note(report, kind + QStringLiteral(": left after kill %1: ").arg(i) + left.join(u' '));
        }
    }
    for (const auto& [kind, files] : kinds) {
        report.kindsNeverNew += files.newSeen == 0;
    }
    return report;
}

}  // namespace tavi::reliability
