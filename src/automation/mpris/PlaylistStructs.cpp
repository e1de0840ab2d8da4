#include "PlaylistStructs.h"

#include <QDBusMetaType>

namespace tavi::automation {

QDBusArgument& operator<<(QDBusArgument& argument, const MprisPlaylistEntry& entry) {
    argument.beginStructure();
    argument << entry.id << entry.name << entry.icon;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, MprisPlaylistEntry& entry) {
    argument.beginStructure();
    argument >> entry.id >> entry.name >> entry.icon;
    argument.endStructure();
    return argument;
}

QDBusArgument& operator<<(QDBusArgument& argument, const MprisMaybePlaylist& maybe) {
    argument.beginStructure();
    argument << maybe.valid << maybe.playlist;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, MprisMaybePlaylist& maybe) {
    argument.beginStructure();
    argument >> maybe.valid >> maybe.playlist;
    argument.endStructure();
    return argument;
}

void RegisterPlaylistStructs() {
    qDBusRegisterMetaType<MprisPlaylistEntry>();
    qDBusRegisterMetaType<MprisMaybePlaylist>();
    qDBusRegisterMetaType<QList<MprisPlaylistEntry>>();
}

}  // namespace tavi::automation
