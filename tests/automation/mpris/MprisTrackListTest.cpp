#include "MprisTestSupport.h"

#include <QDBusArgument>

namespace tavi::test {
namespace {

using automation::MprisTrackList;
using automation::TrackIds;

QVariant Path(const QDBusObjectPath& path) {
    return QVariant::fromValue(path);
}

QList<QVariantMap> MetadataOf(const QDBusMessage& reply) {
    return qdbus_cast<QList<QVariantMap>>(reply.arguments().value(0));
}

QDBusObjectPath PathArg(const QDBusMessage& message, int index) {
    return qdbus_cast<QDBusObjectPath>(message.arguments().value(index));
}

TEST_F(MprisTest, TheRootSaysThereIsATrackList) {
    EXPECT_TRUE(Property(QStringLiteral("org.mpris.MediaPlayer2"), QStringLiteral("HasTrackList"))
                    .toBool());
    EXPECT_TRUE(Property(MprisTrackList::kInterface, QStringLiteral("CanEditTracks")).toBool());
}

TEST_F(MprisTest, EntriesKeepTheirIdsWhileTheListChanges) {
    fill({touch(QStringLiteral("a.wav")), touch(QStringLiteral("b.wav")),
          touch(QStringLiteral("c.wav"))},
         0);
    drain();
    const QList<QDBusObjectPath> first = Tracks();
    ASSERT_EQ(first.size(), 3);
    EXPECT_TRUE(first[0].path().startsWith(TrackIds::kPrefix));
    EXPECT_NE(first[0], first[1]);
    ASSERT_EQ(log.named(QStringLiteral("TrackListReplaced")).size(), 1);
    EXPECT_EQ(qdbus_cast<QList<QDBusObjectPath>>(
                  log.named(QStringLiteral("TrackListReplaced"))[0].arguments().value(0)),
              first);
    EXPECT_EQ(PathArg(log.named(QStringLiteral("TrackListReplaced"))[0], 1), first[0])
        << "the current entry";

    model().move(0, 2);  // a, b, c -> b, c, a
    EXPECT_EQ(Tracks(), (QList<QDBusObjectPath>{first[1], first[2], first[0]}));
    drain();
    model().remove(1);  // c goes
    model().append(touch(QStringLiteral("d.wav")));
    const QList<QDBusObjectPath> now = Tracks();
    ASSERT_EQ(now.size(), 3);
    EXPECT_EQ(now[0], first[1]);
    EXPECT_EQ(now[1], first[0]);
    EXPECT_FALSE(first.contains(now[2])) << "an id is never given twice";
    drain();
    ASSERT_EQ(log.named(QStringLiteral("TrackRemoved")).size(), 1);
    EXPECT_EQ(PathArg(log.named(QStringLiteral("TrackRemoved"))[0], 0), first[2]);
    const QList<QDBusMessage> added = log.named(QStringLiteral("TrackAdded"));
    ASSERT_EQ(added.size(), 1);
    EXPECT_EQ(PathArg(added[0], 1), first[0]) << "added after the row before it";
    const QVariantMap addedMetadata = qdbus_cast<QVariantMap>(added[0].arguments().value(0));
    EXPECT_EQ(qdbus_cast<QDBusObjectPath>(addedMetadata.value(QStringLiteral("mpris:trackid"))),
              now[2]);
    // Tracks changes are told without the value.
    bool invalidated = false;
    for (const QDBusMessage& message : log.named(QStringLiteral("PropertiesChanged"))) {
        if (message.arguments().value(0).toString() == MprisTrackList::kInterface) {
            EXPECT_TRUE(qdbus_cast<QVariantMap>(message.arguments().value(1)).isEmpty());
            invalidated |=
                message.arguments().value(2).toStringList().contains(QStringLiteral("Tracks"));
        }
    }
    EXPECT_TRUE(invalidated);
    EXPECT_EQ(log.named(QStringLiteral("TrackListReplaced")).size(), 2)
        << "a move comes as the list in its new order";
    model().clear();
    drain();
    EXPECT_EQ(log.named(QStringLiteral("TrackListReplaced")).size(), 3);
    EXPECT_TRUE(Tracks().isEmpty());
}

TEST_F(MprisTest, ChangedRowsAndBigBatchesAreAnnouncedOnce) {
    const QString a = touch(QStringLiteral("a.wav"));
    fill({a}, 0);
    drain();
    log.messages.clear();
    model().setFailed(a, true);  // the row repaints in the error colour
    drain();
    const QList<QDBusMessage> changed = log.named(QStringLiteral("TrackMetadataChanged"));
    ASSERT_EQ(changed.size(), 1);
    EXPECT_EQ(PathArg(changed[0], 0), Tracks()[0]);
    EXPECT_EQ(qdbus_cast<QVariantMap>(changed[0].arguments().value(1))
                  .value(QStringLiteral("xesam:title"))
                  .toString(),
              QStringLiteral("a"));

    log.messages.clear();
    model().beginBatch();
    for (int i = 0; i <= MprisTrackList::kMaxSingleSignals; ++i) {
        model().append(QStringLiteral("%1.pause").arg(i + 1));
    }
    model().endBatch();
    drain();
    EXPECT_TRUE(log.named(QStringLiteral("TrackAdded")).isEmpty());
    const QList<QDBusMessage> replaced = log.named(QStringLiteral("TrackListReplaced"));
    ASSERT_EQ(replaced.size(), 1);
    EXPECT_EQ(qdbus_cast<QList<QDBusObjectPath>>(replaced[0].arguments().value(0)).size(),
              MprisTrackList::kMaxSingleSignals + 2);
}

TEST_F(MprisTest, MetadataComesForTheIdsAskedInTheirOrder) {
    const QString a = touch(QStringLiteral("Alpha.wav"));
    const QString b = touch(QStringLiteral("Beta.wav"));
    fill({a, b}, -1);
    const QList<QDBusObjectPath> tracks = Tracks();
    const QDBusObjectPath stranger(TrackIds::kPrefix + QStringLiteral("999999"));
    const QList<QVariantMap> metadata = MetadataOf(
        TrackList(QStringLiteral("GetTracksMetadata"),
                  {QVariant::fromValue(QList<QDBusObjectPath>{tracks[1], stranger, tracks[0]})}));
    ASSERT_EQ(metadata.size(), 2) << "an id not in the list is left out";
    EXPECT_EQ(qdbus_cast<QDBusObjectPath>(metadata[0].value(QStringLiteral("mpris:trackid"))),
              tracks[1]);
    EXPECT_EQ(metadata[0].value(QStringLiteral("xesam:url")).toString(),
              QUrl::fromLocalFile(b).toString());
    EXPECT_EQ(metadata[0].value(QStringLiteral("xesam:title")).toString(), QStringLiteral("Beta"));
    EXPECT_EQ(metadata[1].value(QStringLiteral("xesam:title")).toString(), QStringLiteral("Alpha"));
}

TEST_F(MprisTest, AddTrackEditsLikeAutomationAndIsUndone) {
    fill({touch(QStringLiteral("a.wav"))}, 0);
    const QDBusObjectPath firstId = Tracks()[0];
    const QString b = touch(QStringLiteral("b.wav"));
    const QString c = touch(QStringLiteral("c.wav"));
    TrackList(QStringLiteral("AddTrack"), {QUrl::fromLocalFile(b).toString(),
                                           Path(QDBusObjectPath(TrackIds::kNoTrack)), false});
    TrackList(QStringLiteral("AddTrack"),
              {QUrl::fromLocalFile(c).toString(), Path(firstId), false});
    TrackList(QStringLiteral("AddTrack"),
              {QStringLiteral("gopher://nowhere/x"), Path(firstId), false});
    ASSERT_TRUE(processEventsUntil([&] { return model().count() == 3; }, 5000));
    EXPECT_EQ(entries(), (QStringList{b, files.filePath(QStringLiteral("a.wav")), c}));
    EXPECT_TRUE(doc->IsModified());
    EXPECT_TRUE(doc->CanUndo());
    drain();
    const QList<QDBusMessage> added = log.named(QStringLiteral("TrackAdded"));
    ASSERT_EQ(added.size(), 2);
    EXPECT_EQ(PathArg(added[0], 1).path(), TrackIds::kNoTrack);
    EXPECT_EQ(PathArg(added[1], 1), firstId);
    doc->OnEditUndo();
    EXPECT_EQ(entries(), QStringList{files.filePath(QStringLiteral("a.wav"))})
        << "a burst of additions is one step";
}

TEST_F(MprisTest, RemoveTrackRemovesOnlyThatEntry) {
    fill({touch(QStringLiteral("a.wav")), touch(QStringLiteral("b.wav"))}, 0);
    const QList<QDBusObjectPath> tracks = Tracks();
    TrackList(QStringLiteral("RemoveTrack"),
              {Path(QDBusObjectPath(TrackIds::kPrefix + QStringLiteral("999999")))});
    TrackList(QStringLiteral("RemoveTrack"), {Path(tracks[0])});
    ASSERT_TRUE(processEventsUntil([&] { return model().count() == 1; }, 5000));
    EXPECT_EQ(entries(), QStringList{files.filePath(QStringLiteral("b.wav"))});
    EXPECT_EQ(Tracks(), QList<QDBusObjectPath>{tracks[1]});
    EXPECT_TRUE(doc->CanUndo());
    drain();
    ASSERT_EQ(log.named(QStringLiteral("TrackRemoved")).size(), 1);
    EXPECT_EQ(PathArg(log.named(QStringLiteral("TrackRemoved"))[0], 0), tracks[0]);
}

TEST_F(MprisTest, GoToPlaysThatEntryAndThePlayerNamesItsId) {
    fill({QStringLiteral("5.pause"), QStringLiteral("7.pause")}, 0);
    const QList<QDBusObjectPath> tracks = Tracks();
    TrackList(QStringLiteral("GoTo"), {Path(tracks[1])});
    ASSERT_TRUE(processEventsUntil([&] { return doc->HasCurrentTrack(); }, 5000));
    EXPECT_EQ(doc->GetCurrentTrack()->GetFileName(), QStringLiteral("7.pause"));
    EXPECT_EQ(model().current(), 1);
    const QVariantMap metadata = qdbus_cast<QVariantMap>(
        Property(QStringLiteral("org.mpris.MediaPlayer2.Player"), QStringLiteral("Metadata")));
    EXPECT_EQ(qdbus_cast<QDBusObjectPath>(metadata.value(QStringLiteral("mpris:trackid"))),
              tracks[1]);
    EXPECT_EQ(metadata.value(QStringLiteral("mpris:length")).toLongLong(), 7'000'000);
    // The player's own seek takes the entry's id.
    Call(QStringLiteral("org.mpris.MediaPlayer2.Player"), QStringLiteral("SetPosition"),
         {Path(tracks[1]), qlonglong(3'000'000)});
    EXPECT_NEAR(doc->GetCurrentTrack()->GetPosition(), 3.0, 0.5);
}

TEST_F(MprisTest, AddTrackAsCurrentPlaysIt) {
    fill({QStringLiteral("5.pause")}, 0);
    const QString pause = files.filePath(QStringLiteral("9.pause"));
    TrackList(QStringLiteral("AddTrack"),
              {QUrl::fromLocalFile(pause).toString(), Path(Tracks()[0]), true});
    ASSERT_TRUE(processEventsUntil([&] { return doc->HasCurrentTrack(); }, 5000));
    EXPECT_EQ(model().current(), 1);
    EXPECT_EQ(doc->GetCurrentTrack()->GetFileName(), pause);
}

}  // namespace
}  // namespace tavi::test
