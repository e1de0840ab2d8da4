#include "MprisPlayer.h"

#include "TrackIds.h"
#include "TrackMetadata.h"

#include "automation/objects/AutomationHost.h"
#include "engines/CMediaTrack.h"
#include "engines/TrackQueries.h"
#include "engines/player/CPlayer.h"
#include "formats/metadata/CoverArt.h"
#include "platform/fs/MediaLocation.h"
#include "playlist/CTaviDoc.h"
#include "playlist/DisplayName.h"
#include "playlist/PlaylistModel.h"
#include "playlist/player/PlaylistPlayer.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QUrl>

#include <cmath>

namespace tavi::automation {

namespace {
namespace playercmd = engines::playercmd;
constexpr double kMicroseconds = 1e6;
const QString kNoTrack = TrackIds::kNoTrack;
const QString kCurrentTrack = QStringLiteral("/org/kestrova/Tavi/Track/Current");
}  // namespace

MprisPlayer::MprisPlayer(AutomationHost& host, const TrackIds* ids, QObject* parent)
    : QDBusAbstractAdaptor(parent), m_host(host), m_ids(ids) {
    WatchPlayer();
}

void MprisPlayer::WatchPlayer() {
    if (playlist::CTaviDoc* document = m_host.ActiveDocument()) {
        connect(document, &playlist::CTaviDoc::currentTrackChanged, this, [this] {
            AnnounceChanges({QStringLiteral("PlaybackStatus"), QStringLiteral("Metadata")});
        });
    }
    if (playlist::PlaylistPlayer* playlistPlayer = m_host.ActivePlayer()) {
        engines::CPlayer& player = playlistPlayer->player();
        connect(&player, &engines::CPlayer::trayStateChanged, this,
                [this] { AnnounceChanges({QStringLiteral("PlaybackStatus")}); });
        connect(&player, &engines::CPlayer::modeChanged, this, [this] {
            AnnounceChanges({QStringLiteral("LoopStatus"), QStringLiteral("Shuffle")});
        });
    }
}

void MprisPlayer::AnnounceChanges(const QStringList& names) {
    QVariantMap changed;
    for (const QString& name : names) {
        changed.insert(name, property(name.toLatin1().constData()));
    }
    QDBusMessage signal =
        QDBusMessage::createSignal(kObjectPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                   QStringLiteral("PropertiesChanged"));
    signal << QStringLiteral("org.mpris.MediaPlayer2.Player") << changed << QStringList();
    QDBusConnection::sessionBus().send(signal);
}

engines::CMediaTrack* MprisPlayer::Track() const {
    playlist::CTaviDoc* document = m_host.ActiveDocument();
    return document ? document->GetCurrentTrack() : nullptr;
}

uint32_t MprisPlayer::Mode() const {
    playlist::PlaylistPlayer* player = m_host.ActivePlayer();
    return player ? player->player().GetMode() : engines::ModeNormal;
}

void MprisPlayer::SetMode(uint32_t mode) {
    if (playlist::PlaylistPlayer* player = m_host.ActivePlayer()) {
        player->player().SetMode(mode);
    }
}

void MprisPlayer::Post(int command) {
    if (playlist::PlaylistPlayer* player = m_host.ActivePlayer()) {
        QMetaObject::invokeMethod(
            player, [player, command] { player->RunPlayerCommand(command); }, Qt::QueuedConnection);
    }
}

QString MprisPlayer::PlaybackStatus() const {
    engines::CMediaTrack* track = Track();
    if (!track) {
        return QStringLiteral("Stopped");
    }
    return track->IsPaused() ? QStringLiteral("Paused") : QStringLiteral("Playing");
}

QString MprisPlayer::LoopStatus() const {
    switch (Mode()) {
        case engines::ModeLoop:
            return QStringLiteral("Track");
        case engines::ModeRepeat:
            return QStringLiteral("Playlist");
        default:
            return QStringLiteral("None");
    }
}

void MprisPlayer::SetLoopStatus(const QString& status) {
    if (status == QLatin1String("Track")) {
        SetMode(engines::ModeLoop);
    } else if (status == QLatin1String("Playlist")) {
        SetMode(engines::ModeRepeat);
    } else if (status == QLatin1String("None") &&
               (Mode() == engines::ModeLoop || Mode() == engines::ModeRepeat)) {
        SetMode(engines::ModeNormal);
    }
}

bool MprisPlayer::Shuffle() const {
    return Mode() == engines::ModeRandom;
}

void MprisPlayer::SetShuffle(bool on) {
    if (on) {
        SetMode(engines::ModeRandom);
    } else if (Shuffle()) {
        SetMode(engines::ModeNormal);
    }
}

QDBusObjectPath MprisPlayer::CurrentTrackId(const QString& file) const {
    // The entry's own id while the selected entry is the file playing, as the TrackList
    // names it; otherwise one id for whatever plays.
    playlist::CTaviDoc* document = m_host.ActiveDocument();
    if (m_ids && document) {
        const int row = document->model().current();
        if (row >= 0 && row < m_ids->count() && document->model().path(row) == file) {
            return m_ids->idOf(row);
        }
    }
    return QDBusObjectPath(kCurrentTrack);
}

QVariantMap MprisPlayer::Metadata() const {
    engines::CMediaTrack* track = Track();
    if (!track) {
        return {{QStringLiteral("mpris:trackid"), QVariant::fromValue(QDBusObjectPath(kNoTrack))}};
    }
    const QString file = track->GetFileName();
    QVariantMap metadata =
        BasicTrackMetadata(CurrentTrackId(file), file, playlist::GetDisplayName(file));
    std::optional<double> length = engines::LengthOf(*track);
    const formats::TrackTags& tags = TagsOf(file);
    if (!length || *length <= 0) {
        length = tags.lengthSeconds;  // an open still going on in the background
    }
    AddTrackLength(length, metadata);
    AddTrackTags(tags, metadata);
    AddArtUrl(m_artUrl, metadata);
    return metadata;
}

const formats::TrackTags& MprisPlayer::TagsOf(const QString& file) const {
    if (file != m_taggedFile) {
        m_taggedFile = file;
        m_tags = formats::ReadTrackTags(file);
        const QString local = fs::LocalFileOf(file);
        m_artUrl = local.isEmpty() ? QString() : formats::CoverArt::UrlOf(local);
    }
    return m_tags;
}

qlonglong MprisPlayer::Position() const {
    engines::CMediaTrack* track = Track();
    const auto position = track ? engines::PositionOf(*track) : std::nullopt;
    return qlonglong(std::llround(position.value_or(0.0) * kMicroseconds));
}

void MprisPlayer::Next() {
    Post(playercmd::kNext);
}
void MprisPlayer::Previous() {
    Post(playercmd::kPrevious);
}
void MprisPlayer::PlayPause() {
    Post(playercmd::kPlayPause);
}
void MprisPlayer::Stop() {
    Post(playercmd::kStop);
}

void MprisPlayer::Play() {
    // Play resumes a paused track and starts a stopped player; it never pauses.
    if (PlaybackStatus() != QLatin1String("Playing")) {
        Post(playercmd::kPlay);
    }
}

void MprisPlayer::Pause() {
    if (PlaybackStatus() == QLatin1String("Playing")) {
        Post(playercmd::kPause);
    }
}

void MprisPlayer::Seek(qlonglong offset) {
    engines::CMediaTrack* track = Track();
    const auto position = track ? engines::PositionOf(*track) : std::nullopt;
    const auto length = track ? engines::LengthOf(*track) : std::nullopt;
    if (!position || !length) {
        return;  // nothing seekable plays
    }
    const double target = std::clamp(*position + double(offset) / kMicroseconds, 0.0, *length);
    if (engines::TrySeek(*track, target)) {
        Q_EMIT Seeked(Position());
    }
}

void MprisPlayer::SetPosition(const QDBusObjectPath& trackId, qlonglong position) {
    engines::CMediaTrack* track = Track();
    const double seconds = double(position) / kMicroseconds;
    const auto length = track ? engines::LengthOf(*track) : std::nullopt;
    const bool thisTrack = track && (trackId.path() == kCurrentTrack ||
                                     trackId == CurrentTrackId(track->GetFileName()));
    if (length && thisTrack && seconds >= 0 && seconds <= *length &&
        engines::TrySeek(*track, seconds)) {
        Q_EMIT Seeked(Position());
    }
}

void MprisPlayer::OpenUri(const QString& uri) {
    const QUrl url(uri);
    if (url.isLocalFile()) {
        m_host.OpenDocumentFile(url.toLocalFile());
    } else if (fs::IsStreamUrl(uri)) {
        m_host.OpenDocumentFile(uri);  // played as an entry of its own
    }
}

}  // namespace tavi::automation
