#pragma once

#include <QString>
#include <QStringList>

namespace tavi::reliability {

// The files Tavi saves, each written with the program's own writer in one of two versions,
// for the kill tests. KIND: alb m3u pls wpl hive tools rotation cdtitles.
const QStringList& SavedFileKinds();
// The file name a kind is saved under (a playlist's extension decides its format).
QString SavedFileName(const QString& kind);
// Writes version 0 or 1 of the kind's file. Throws what the writer throws.
void SaveVersion(const QString& kind, const QString& path, int version);
// What a new run does before it uses the file: the settings folders are swept at start, a
// playlist when it is opened.
void StartAgain(const QString& kind, const QString& path);

}  // namespace tavi::reliability
