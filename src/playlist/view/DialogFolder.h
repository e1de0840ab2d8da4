#pragma once

class QFileDialog;

namespace tavi::playlist {

// Makes the folder an accepted file dialog ended in the process's current folder, as the
// system's own dialogs do elsewhere: the next dialog opens there, and the folder is stored
// as "PlaylistDir" at exit. Qt's dialogs leave the current folder alone.
void FollowDialogFolder(const QFileDialog& dialog);

}  // namespace tavi::playlist
