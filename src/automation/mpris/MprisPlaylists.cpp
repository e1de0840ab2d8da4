#include "MprisPlaylists.h"

#include "automation/objects/AutomationHost.h"
#include "playlist/CTaviDoc.h"

#include <QCollator>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QFileInfo>

#include <algorithm>

namespace tavi::automation {

namespace {
const QString kObjectPath = QStringLiteral("/org/mpris/MediaPlayer2");
}

MprisPlaylists::MprisPlaylists(AutomationHost& host, std::function<QStringList()> recentFiles,
                               QObject* parent)
    : QDBusAbstractAdaptor(parent), m_host(host), m_recentFiles(std::move(recentFiles)) {
    RegisterPlaylistStructs();
    m_lastCount = PlaylistCount();
    m_lastActive = ActivePlaylist().playlist.id.path();
    WatchDocument();
}

void MprisPlaylists::WatchDocument() {
    playlist::CTaviDoc* document = m_host.ActiveDocument();
    if (!document) {
        return;
    }
    // Queued: the application puts the path into its list in a handler of the same signal.
    connect(document, &playlist::CDocument::recentFileAdded, this, &MprisPlaylists::AnnounceChanges,
            Qt::QueuedConnection);
    connect(document, &playlist::CDocument::titleChanged, this, &MprisPlaylists::AnnounceChanges,
            Qt::QueuedConnection);
    connect(document, &playlist::CTaviDoc::documentInitialized, this,
            &MprisPlaylists::AnnounceChanges, Qt::QueuedConnection);
}

QDBusObjectPath MprisPlaylists::IdOf(const QString& path) const {
    auto found = m_ids.find(path);
    if (found == m_ids.end()) {
        found = m_ids.insert(path, int(m_ids.size()) + 1);
    }
    return QDBusObjectPath(kIdPrefix + QString::number(found.value()));
}

MprisPlaylistEntry MprisPlaylists::EntryOf(const QString& path) const {
    return {IdOf(path), QFileInfo(path).completeBaseName(), QString()};
}

MprisMaybePlaylist MprisPlaylists::ActivePlaylist() const {
    playlist::CTaviDoc* document = m_host.ActiveDocument();
    if (!document || document->GetPathName().isEmpty()) {
        return {false, {QDBusObjectPath(QStringLiteral("/")), QString(), QString()}};
    }
    return {true, EntryOf(document->GetPathName())};
}

void MprisPlaylists::ActivatePlaylist(const QDBusObjectPath& playlistId) {
    for (const QString& path : m_recentFiles()) {
        if (IdOf(path) == playlistId) {
            // After the call returned: the save prompt may show a window.
            QMetaObject::invokeMethod(
                this, [this, path] { m_host.OpenDocumentFile(path); }, Qt::QueuedConnection);
            return;
        }
    }
}

QList<MprisPlaylistEntry> MprisPlaylists::GetPlaylists(uint index, uint maxCount,
                                                       const QString& order, bool reverseOrder) {
    QStringList paths = m_recentFiles();
    if (order == QLatin1String("Alphabetical")) {
        QCollator collator;
        collator.setNumericMode(true);
        collator.setCaseSensitivity(Qt::CaseInsensitive);
        std::stable_sort(paths.begin(), paths.end(), [&](const QString& a, const QString& b) {
            return collator.compare(QFileInfo(a).completeBaseName(),
                                    QFileInfo(b).completeBaseName()) < 0;
        });
    } else {
        std::reverse(paths.begin(), paths.end());  // the date order: the oldest opening first
    }
    if (reverseOrder) {
        std::reverse(paths.begin(), paths.end());
    }
    QList<MprisPlaylistEntry> result;
    for (qsizetype i = qsizetype(index); i < paths.size() && result.size() < qsizetype(maxCount);
         ++i) {
        result.append(EntryOf(paths[i]));
    }
    return result;
}

void MprisPlaylists::AnnounceChanges() {
    QVariantMap changed;
    if (PlaylistCount() != m_lastCount) {
        m_lastCount = PlaylistCount();
        changed.insert(QStringLiteral("PlaylistCount"), m_lastCount);
    }
    const MprisMaybePlaylist active = ActivePlaylist();
    if (active.playlist.id.path() != m_lastActive) {
        m_lastActive = active.playlist.id.path();
        changed.insert(QStringLiteral("ActivePlaylist"), QVariant::fromValue(active));
    }
    if (changed.isEmpty()) {
        return;
    }
    QDBusMessage signal =
        QDBusMessage::createSignal(kObjectPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                   QStringLiteral("PropertiesChanged"));
    signal << kInterface << changed << QStringList();
    QDBusConnection::sessionBus().send(signal);
}

}  // namespace tavi::automation
