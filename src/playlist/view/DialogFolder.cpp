#include "DialogFolder.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace tavi::playlist {

void FollowDialogFolder(const QFileDialog& dialog) {
    const QStringList files = dialog.selectedFiles();
    // The chosen file's folder: a name typed with a folder in it counts, not only the one
    // the dialog was showing.
    const QString folder = files.isEmpty() ? dialog.directory().absolutePath()
                                           : QFileInfo(files.first()).absolutePath();
    if (QFileInfo(folder).isDir()) {
        QDir::setCurrent(folder);
    }
}

}  // namespace tavi::playlist
