#pragma once

#include <QString>

namespace tavi::playlist {
class CTaviDoc;
}

namespace tavi::app {

// The copy of an unsaved playlist kept when the session ends by a signal (logout, shutdown,
// kill) and nothing may ask: "recovery.alb" under $XDG_STATE_HOME/Kestrova/Tavi, with the
// name of the document it came from beside it, offered at the next start.
class SessionRecovery {
public:
    // folder: where the copy lives; empty: the user's state folder.
    explicit SessionRecovery(QString folder = QString());

    QString FilePath() const;
    bool Exists() const;

    // Writes the document's entries (atomically) and its path name; false when that failed
    // (the document's error prompt has said why).
    bool Keep(playlist::CTaviDoc& document) const;
    // Loads the copy into the document, named as the playlist it came from and modified;
    // the copy is removed once it is in the document.
    bool RestoreInto(playlist::CTaviDoc& document) const;
    // The user declined: the copy is put aside as "recovery.alb.old" rather than deleted.
    void Discard() const;

    static QString DefaultFolder();

private:
    QString OriginPath() const;

    QString m_folder;
};

}  // namespace tavi::app
