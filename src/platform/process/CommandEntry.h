#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace tavi::process {

// Playlist entries that start a program instead of playing: scripts and programs by their
// extension (".cmd", ".bat", ".lnk", ".pl", ".vbs", ".js", ".exe", ".com", ".sh",
// ".desktop"), and any regular file with an execute bit that is a script ("#!") or a binary.
bool IsCommandEntry(const QString& path);

// The entry with environment variables ($NAME, ${NAME}, %NAME%) replaced by their values;
// an unknown name is left as it stands.
QString ExpandEnvironment(const QString& entry);

// The program and arguments a ".desktop" file's Exec line runs (field codes removed, "%%"
// read as "%"); nothing when the file has no usable Exec line.
std::optional<QStringList> DesktopExecWords(const QString& desktopFile);

// Starts the entry without a shell and without waiting for it: an executable file directly,
// a ".desktop" file through its Exec line, anything else through the desktop's "open"
// (xdg-open). The child gets a process group of its own and standard input from /dev/null,
// and is reaped when it ends. False with *error when nothing could be started.
bool StartCommandEntry(const QString& entry, QString* error);

}  // namespace tavi::process
