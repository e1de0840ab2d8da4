#include "MprisTrackList.h"

#include "TrackIds.h"
#include "TrackMetadata.h"
#include "automation/objects/AutomationHost.h"
#include "engines/player/CPlayer.h"
#include "formats/metadata/CoverArt.h"
#include "platform/fs/MediaLocation.h"
#include "playlist/CTaviDoc.h"
#include "playlist/PlaylistEditor.h"
#include "playlist/PlaylistModel.h"
#include "playlist/player/PlaylistPlayer.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QUrl>

namespace tavi::automation {

namespace {
constexpr int kFactsKept = 200;
const QString kObjectPath = QStringLiteral("/org/mpris/MediaPlayer2");
}  // namespace

MprisTrackList::MprisTrackList(AutomationHost& host, TrackIds& ids, QObject* parent)
    : QDBusAbstractAdaptor(parent), m_host(host), m_ids(ids), m_facts(kFactsKept) {
    qDBusRegisterMetaType<QList<QVariantMap>>();
    // One PropertiesChanged for a burst of edits.
    m_invalidate.setSingleShot(true);
    m_invalidate.setInterval(0);
    connect(&m_invalidate, &QTimer::timeout, this, &MprisTrackList::InvalidateTracks);
    connect(&ids, &TrackIds::added, this, &MprisTrackList::AnnounceAdded);
    connect(&ids, &TrackIds::removed, this, [this](const QList<QDBusObjectPath>& gone) {
        if (m_replace.isActive()) {
            return;  // the list sent soon is without them
        }
        if (gone.size() > kMaxSingleSignals) {
            AnnounceReplaced();
            return;
        }
        for (const QDBusObjectPath& id : gone) {
            Q_EMIT TrackRemoved(id);
        }
        InvalidateTracksSoon();
    });
    // A new list is told once its current entry is set, which comes after the reset; edits
    // before then are part of it.
    m_replace.setSingleShot(true);
    m_replace.setInterval(0);
    connect(&m_replace, &QTimer::timeout, this, &MprisTrackList::AnnounceReplaced);
    connect(&ids, &TrackIds::replaced, this, [this] { m_replace.start(); });
    connect(&ids, &TrackIds::changed, this, &MprisTrackList::AnnounceChanged);
}

playlist::CTaviDoc* MprisTrackList::Document() const {
    return m_host.ActiveDocument();
}

QList<QDBusObjectPath> MprisTrackList::Tracks() const {
    return m_ids.ids();
}

QVariantMap MprisTrackList::BasicMetadata(int row) const {
    const playlist::PlaylistModel& model = Document()->model();
    return BasicTrackMetadata(m_ids.idOf(row), model.path(row), model.displayName(row));
}

QVariantMap MprisTrackList::FullMetadata(int row) {
    QVariantMap metadata = BasicMetadata(row);
    const QString path = Document()->model().path(row);
    const QString local = fs::LocalFileOf(path);
    if (local.isEmpty()) {
        return metadata;  // a stream: nothing to read before it plays
    }
    FileFacts* facts = m_facts.object(path);
    if (!facts) {
        facts = new FileFacts{formats::ReadTrackTags(local), formats::CoverArt::UrlOf(local)};
        m_facts.insert(path, facts);
    }
    AddTrackTags(facts->tags, metadata);
    AddTrackLength(facts->tags.lengthSeconds, metadata);
    AddArtUrl(facts->artUrl, metadata);
    return metadata;
}

QList<QVariantMap> MprisTrackList::GetTracksMetadata(const QList<QDBusObjectPath>& trackIds) {
    QList<QVariantMap> result;
    if (!Document()) {
        return result;
    }
    // Ids no longer in the list are left out.
    for (const QDBusObjectPath& id : trackIds) {
        if (const std::optional<int> row = m_ids.rowOf(id)) {
            result.append(FullMetadata(*row));
        }
    }
    return result;
}

QString MprisTrackList::EntryOf(const QString& uri) {
    const QUrl url(uri);
    if (url.isLocalFile()) {
        return url.toLocalFile();
    }
    return fs::IsStreamUrl(uri) ? uri : QString();
}

void MprisTrackList::AddTrack(const QString& uri, const QDBusObjectPath& afterTrack,
                              bool setAsCurrent) {
    playlist::CTaviDoc* document = Document();
    const QString entry = EntryOf(uri);
    if (!document || entry.isEmpty()) {
        return;
    }
    // The place is found when the edit runs: the list may be busy until then.
    playlist::PlaylistEditor& editor = document->editor();
    editor.WhenIdle([this, &editor, entry, afterTrack, setAsCurrent] {
        std::optional<int> at;
        if (afterTrack.path() == TrackIds::kNoTrack) {
            at = 0;
        } else if (const std::optional<int> after = m_ids.rowOf(afterTrack)) {
            at = *after + 1;
        }
        if (!at) {
            return;  // an id that is no longer in the list
        }
        editor.InsertEntryFromOutside(*at, entry);
        if (setAsCurrent) {
            editor.WhenIdle([this, row = *at] { PlayRow(row); });
        }
    });
}

void MprisTrackList::RemoveTrack(const QDBusObjectPath& trackId) {
    if (playlist::CTaviDoc* document = Document()) {
        playlist::PlaylistEditor& editor = document->editor();
        editor.WhenIdle([this, &editor, trackId] {
            if (const std::optional<int> row = m_ids.rowOf(trackId)) {
                editor.RemoveEntryFromOutside(*row);
            }
        });
    }
}

void MprisTrackList::GoTo(const QDBusObjectPath& trackId) {
    if (const std::optional<int> row = m_ids.rowOf(trackId)) {
        // After the call has returned, like a double-click handled by the window.
        QMetaObject::invokeMethod(
            this,
            [this, id = trackId] {
                if (const std::optional<int> now = m_ids.rowOf(id)) {
                    PlayRow(*now);
                }
            },
            Qt::QueuedConnection);
    }
}

void MprisTrackList::PlayRow(int row) {
    playlist::CTaviDoc* document = Document();
    playlist::PlaylistPlayer* player = m_host.ActivePlayer();
    if (!document || !player || row < 0 || row >= document->model().count()) {
        return;
    }
    document->model().setCurrent(row);
    player->player().PlayDoubleClicked();
}

void MprisTrackList::AnnounceAdded(int first, int last) {
    if (m_replace.isActive()) {
        return;
    }
    if (last - first + 1 > kMaxSingleSignals) {
        AnnounceReplaced();
        return;
    }
    for (int row = first; row <= last; ++row) {
        Q_EMIT TrackAdded(BasicMetadata(row), m_ids.idOf(row - 1));
    }
    InvalidateTracksSoon();
}

void MprisTrackList::AnnounceChanged(int first, int last) {
    const int rows = m_ids.count();
    last = std::min(last, rows - 1);
    if (first < 0 || first > last || m_replace.isActive()) {
        return;
    }
    if (last - first + 1 > kMaxSingleSignals) {
        AnnounceReplaced();  // the whole list repainted: names shown another way
        return;
    }
    for (int row = first; row <= last; ++row) {
        // A name read from the tags or an entry's new text: forget what was read of it.
        m_facts.remove(Document()->model().path(row));
        Q_EMIT TrackMetadataChanged(m_ids.idOf(row), BasicMetadata(row));
    }
}

void MprisTrackList::AnnounceReplaced() {
    m_replace.stop();
    playlist::CTaviDoc* document = Document();
    const int current = document ? document->model().current() : -1;
    Q_EMIT TrackListReplaced(m_ids.ids(), m_ids.idOf(current < m_ids.count() ? current : -1));
    InvalidateTracksSoon();
}

void MprisTrackList::InvalidateTracksSoon() {
    m_invalidate.start();
}

void MprisTrackList::InvalidateTracks() {
    // Tracks changes are told without the value: clients follow the signals above.
    QDBusMessage signal =
        QDBusMessage::createSignal(kObjectPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                   QStringLiteral("PropertiesChanged"));
    signal << kInterface << QVariantMap() << QStringList{QStringLiteral("Tracks")};
    QDBusConnection::sessionBus().send(signal);
}

}  // namespace tavi::automation
