#pragma once

#include <QString>

namespace tavi::fs {

// Moves files to the desktop's trash as the freedesktop.org trash rules lay down: the
// home trash ($XDG_DATA_HOME/Trash, an absolute XDG_DATA_HOME only, else
// ~/.local/share/Trash) for files on its file system, otherwise the trash at the top of
// the file's own mount ($topdir/.Trash/$uid when that is a sticky folder, else
// $topdir/.Trash-$uid). Every folder it uses is absolute: nothing is ever made in the
// current directory. The file is renamed, never copied.
class Trash {
public:
    struct Result {
        bool ok = false;
        QString trashedAs;  // the file's new path
        QString error;      // why not, for the user
    };

    static Result MoveToTrash(const QString& path);
    // The home trash folder (not made).
    static QString HomeTrash();
};

}  // namespace tavi::fs
