#pragma once

#include <QString>

class QMenu;
class QWidget;

namespace tavi::frame {

// What the desktop can do with an entry's file, in place of the Windows shell's own menu:
// open it with the default application, show it in its folder, copy its path, move it to
// the trash. Entries that are not files (pauses, CD tracks, commands) get no menu.
void FillEntryFileMenu(QMenu* menu, const QString& path, QWidget* parent);
bool IsFileEntry(const QString& path);

// Moves the file to the trash; false (and the reason in error) when it stays.
bool MoveEntryFileToTrash(const QString& path, QString* error);

}  // namespace tavi::frame
