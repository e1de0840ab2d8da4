#pragma once

#include "PlaylistStructs.h"

#include <QDBusAbstractAdaptor>
#include <QHash>
#include <QStringList>

#include <functional>

namespace tavi::automation {

class AutomationHost;

// org.mpris.MediaPlayer2.Playlists over the recent-file list of the File menu: each file a
// playlist whose id stays with its path for the run; activating one opens it as File > Open
// does (asking to save a modified list first). The open document is the active playlist
// when it is a file.
class MprisPlaylists : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2.Playlists")
    Q_PROPERTY(uint PlaylistCount READ PlaylistCount)
    Q_PROPERTY(QStringList Orderings READ Orderings)
    Q_PROPERTY(tavi::automation::MprisMaybePlaylist ActivePlaylist READ ActivePlaylist)
public:
    static inline const QString kInterface = QStringLiteral("org.mpris.MediaPlayer2.Playlists");
    static inline const QString kIdPrefix = QStringLiteral("/org/kestrova/Tavi/playlist/");

    // recentFiles gives the list newest first, as the File menu shows it.
    MprisPlaylists(AutomationHost& host, std::function<QStringList()> recentFiles, QObject* parent);

    uint PlaylistCount() const { return uint(m_recentFiles().size()); }
    // The list's own order is the order of opening; names sort alphabetically.
    QStringList Orderings() const {
        return {QStringLiteral("LastPlayDate"), QStringLiteral("Alphabetical")};
    }
    MprisMaybePlaylist ActivePlaylist() const;
    // The recent files' or the open document's id of a path; a path has one id a run.
    QDBusObjectPath IdOf(const QString& path) const;

public Q_SLOTS:
    void ActivatePlaylist(const QDBusObjectPath& playlistId);
    QList<tavi::automation::MprisPlaylistEntry> GetPlaylists(uint index, uint maxCount,
                                                             const QString& order,
                                                             bool reverseOrder);

Q_SIGNALS:
    void PlaylistChanged(const tavi::automation::MprisPlaylistEntry& playlist);

private:
    MprisPlaylistEntry EntryOf(const QString& path) const;
    void WatchDocument();
    // Tells clients what changed of the count and the active playlist since last time.
    void AnnounceChanges();

    AutomationHost& m_host;
    std::function<QStringList()> m_recentFiles;
    mutable QHash<QString, int> m_ids;  // path -> serial
    uint m_lastCount = 0;
    QString m_lastActive;
};

}  // namespace tavi::automation
