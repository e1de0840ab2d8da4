#include "MiniPlaylistEntries.h"

#include "engines/TrackFactory.h"
#include "formats/CPlaylistFile.h"
#include "formats/EntryPath.h"
#include "formats/Rotation.h"

#include "platform/fs/FolderOrder.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cstdio>

namespace tavi::engines {

namespace {

bool IsMarkerEntry(const QString& fileName) {
    static const QStringList markers{QStringLiteral(".PAUSE"), QStringLiteral(".STOP"),
                                     QStringLiteral(".PLAY"), QStringLiteral(".LIVE"),
                                     QStringLiteral(".JINGLE")};
    return markers.contains(UpperExtension(fileName));
}

// The r-th file of the folder in name order (hidden files and folders not counted); the
// entry itself when the folder holds none, so that it fails to open like any missing file.
QString RandomFileOf(const QString& folder, const QString& entry,
                     const std::function<unsigned()>& draw) {
    const QFileInfoList files = fs::SortedEntries(folder, QDir::Files | QDir::Readable);
    if (files.isEmpty()) {
        return entry;
    }
    return files.at(qsizetype(draw() % unsigned(files.size()))).absoluteFilePath();
}

}  // namespace

double FileOverlap(const QString& fileName) {
    if (IsMarkerEntry(fileName)) {
        return 0.0;
    }
    const QString base = QFileInfo(fileName).completeBaseName();
    const qsizetype tilde = base.lastIndexOf(QLatin1Char('~'));
    if (tilde < 0) {
        return -1.0;
    }
    // Read as the C library reads a number, so "2.5" is 2.5 whatever the user's locale.
    const QByteArray text = base.mid(tilde + 1).toLatin1();
    float seconds = 0.0f;
    return std::sscanf(text.constData(), "%f", &seconds) == 1 ? double(seconds) : -1.0;
}

double DefaultOverlap() {
    return 0.0;
}

QString ExpandMiniPlaylistEntry(const QString& entry, const std::function<unsigned()>& draw) {
    const QString extension = UpperExtension(entry);
    if (extension == QLatin1String(".ROTATION")) {
        // Rotations made by hand may name their files relative to themselves.
        const QString next = formats::RotationNext(entry);
        return next.isEmpty() ? next
                              : formats::ResolveEntryPath(next, QFileInfo(entry).absolutePath());
    }
    if (extension == QLatin1String(".DIR")) {
        return RandomFileOf(entry.left(entry.size() - 4), entry, draw);
    }
    return entry;
}

QStringList ReadMiniPlaylist(const QString& path) {
    formats::CPlaylistFile file;
    file.Load(path);
    const auto draw = [] { return unsigned(QRandomGenerator::global()->generate()); };
    QStringList entries;
    for (const QString& entry : file.Entries()) {
        entries.append(ExpandMiniPlaylistEntry(entry, draw));
    }
    return entries;
}

}  // namespace tavi::engines
