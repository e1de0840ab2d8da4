#include "MprisTestSupport.h"

#include <QDBusArgument>

namespace tavi::test {
namespace {

using automation::MprisMaybePlaylist;
using automation::MprisPlaylistEntry;
using automation::MprisPlaylists;

class MprisPlaylistsTest : public MprisTest {
protected:
    QList<MprisPlaylistEntry> Playlists(const QString& order, bool reverse, uint index = 0,
                                        uint max = 100) {
        const QDBusMessage reply = Call(MprisPlaylists::kInterface, QStringLiteral("GetPlaylists"),
                                        {index, max, order, reverse});
        return qdbus_cast<QList<MprisPlaylistEntry>>(reply.arguments().value(0));
    }
    static QStringList Names(const QList<MprisPlaylistEntry>& playlists) {
        QStringList names;
        for (const MprisPlaylistEntry& playlist : playlists) {
            names.append(playlist.name);
        }
        return names;
    }
    QString folder(const QString& name) {
        QDir().mkpath(files.filePath(name));
        return files.filePath(name);
    }
};

TEST_F(MprisPlaylistsTest, TheRecentFilesAreThePlaylists) {
    recent = {folder(QStringLiteral("Zeta")), folder(QStringLiteral("alpha")),
              folder(QStringLiteral("Mid"))};
    EXPECT_EQ(Property(MprisPlaylists::kInterface, QStringLiteral("PlaylistCount")).toUInt(), 3u);
    EXPECT_TRUE(Property(MprisPlaylists::kInterface, QStringLiteral("Orderings"))
                    .toStringList()
                    .contains(QStringLiteral("Alphabetical")));
    EXPECT_EQ(
        Names(Playlists(QStringLiteral("Alphabetical"), false)),
        (QStringList{QStringLiteral("alpha"), QStringLiteral("Mid"), QStringLiteral("Zeta")}));
    EXPECT_EQ(Names(Playlists(QStringLiteral("LastPlayDate"), true)),
              (QStringList{QStringLiteral("Zeta"), QStringLiteral("alpha"), QStringLiteral("Mid")}))
        << "reversed: the latest opened first, as the File menu lists them";
    EXPECT_EQ(Names(Playlists(QStringLiteral("LastPlayDate"), false, 1, 1)),
              QStringList{QStringLiteral("alpha")});
    // Ids follow the path, not the place in the list.
    const QDBusObjectPath zeta = Playlists(QStringLiteral("LastPlayDate"), true)[0].id;
    recent.prepend(folder(QStringLiteral("New")));
    EXPECT_EQ(Playlists(QStringLiteral("LastPlayDate"), true)[1].id, zeta);
    EXPECT_EQ(Playlists(QStringLiteral("LastPlayDate"), true)[1].name, QStringLiteral("Zeta"));
}

TEST_F(MprisPlaylistsTest, ActivatingOneOpensItAsTheActivePlaylist) {
    const QString mid = folder(QStringLiteral("Mid"));
    touch(QStringLiteral("Mid/one.wav"));
    recent = {folder(QStringLiteral("Other")), mid};
    const MprisMaybePlaylist before = qdbus_cast<MprisMaybePlaylist>(
        Property(MprisPlaylists::kInterface, QStringLiteral("ActivePlaylist")));
    EXPECT_FALSE(before.valid) << "an untitled list is no playlist file";
    const QDBusObjectPath id = Playlists(QStringLiteral("LastPlayDate"), false)[0].id;
    Call(MprisPlaylists::kInterface, QStringLiteral("ActivatePlaylist"),
         {QVariant::fromValue(QDBusObjectPath(MprisPlaylists::kIdPrefix + QStringLiteral("77")))});
    Call(MprisPlaylists::kInterface, QStringLiteral("ActivatePlaylist"), {QVariant::fromValue(id)});
    ASSERT_TRUE(processEventsUntil([&] { return !host->opened.isEmpty(); }, 5000));
    drain();
    EXPECT_EQ(host->opened, QStringList{mid}) << "an unknown id opens nothing";
    settle();
    EXPECT_EQ(entries(), QStringList{files.filePath(QStringLiteral("Mid/one.wav"))});
    const MprisMaybePlaylist after = qdbus_cast<MprisMaybePlaylist>(
        Property(MprisPlaylists::kInterface, QStringLiteral("ActivePlaylist")));
    EXPECT_TRUE(after.valid);
    EXPECT_EQ(after.playlist.id, id);
    EXPECT_EQ(after.playlist.name, QStringLiteral("Mid"));
    // Clients that watch the property hear of the change with its value.
    bool announced = false;
    for (const QDBusMessage& message : log.named(QStringLiteral("PropertiesChanged"))) {
        const QVariantMap changed = qdbus_cast<QVariantMap>(message.arguments().value(1));
        if (message.arguments().value(0).toString() == MprisPlaylists::kInterface &&
            changed.contains(QStringLiteral("ActivePlaylist"))) {
            announced = true;
            const auto told =
                qdbus_cast<MprisMaybePlaylist>(changed.value(QStringLiteral("ActivePlaylist")));
            EXPECT_TRUE(told.valid);
            EXPECT_EQ(told.playlist.id, id);
        }
    }
    EXPECT_TRUE(announced);
}

}  // namespace
}  // namespace tavi::test
