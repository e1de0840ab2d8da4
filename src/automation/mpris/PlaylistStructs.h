#pragma once

#include <QDBusArgument>
#include <QDBusObjectPath>
#include <QList>
#include <QMetaType>
#include <QString>

namespace tavi::automation {

// MPRIS's Playlist struct (oss): id, name, icon URL.
struct MprisPlaylistEntry {
    QDBusObjectPath id;
    QString name;
    QString icon;
};

// MPRIS's Maybe_Playlist (b(oss)): valid false when no playlist is active.
struct MprisMaybePlaylist {
    bool valid = false;
    MprisPlaylistEntry playlist;
};

QDBusArgument& operator<<(QDBusArgument& argument, const MprisPlaylistEntry& entry);
const QDBusArgument& operator>>(const QDBusArgument& argument, MprisPlaylistEntry& entry);
QDBusArgument& operator<<(QDBusArgument& argument, const MprisMaybePlaylist& maybe);
const QDBusArgument& operator>>(const QDBusArgument& argument, MprisMaybePlaylist& maybe);

// Makes the structs known to Qt D-Bus (once is enough; more calls do no harm).
void RegisterPlaylistStructs();

}  // namespace tavi::automation

Q_DECLARE_METATYPE(tavi::automation::MprisPlaylistEntry)
Q_DECLARE_METATYPE(tavi::automation::MprisMaybePlaylist)
