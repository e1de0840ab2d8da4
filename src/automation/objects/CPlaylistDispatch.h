#pragma once

#include "automation/dispatch/DispatchObject.h"

#include <QPointer>

namespace tavi::playlist {
class PlaylistPlayer;
}

namespace tavi::automation {

class AutomationHost;

// A Playlist object: the list of the player it was made for, by 0-based index. It follows
// the player by a guarded pointer, so a client that keeps it after the window is gone gets
// an error instead of reaching a destroyed list.
class CPlaylistDispatch : public DispatchObject {
public:
    CPlaylistDispatch(AutomationHost& host, playlist::PlaylistPlayer* player);
    QString TypeName() const override { return QStringLiteral("Playlist"); }

private:
    playlist::PlaylistPlayer& Player() const;
    void AddListMembers();
    void AddEditMembers();

    AutomationHost& m_host;
    QPointer<playlist::PlaylistPlayer> m_player;
};

}  // namespace tavi::automation
