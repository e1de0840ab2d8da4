#pragma once

#include "formats/metadata/TrackTags.h"

#include <QCache>
#include <QDBusAbstractAdaptor>
#include <QDBusObjectPath>
#include <QList>
#include <QTimer>
#include <QVariantMap>

namespace tavi::playlist {
class CTaviDoc;
class PlaylistPlayer;
}  // namespace tavi::playlist

namespace tavi::automation {

class AutomationHost;
class TrackIds;

// org.mpris.MediaPlayer2.TrackList over the active document's list: every entry a track id
// (TrackIds), edits through the editor's path for automation (undo, modified flag, waiting
// while the list is busy), GoTo as a double-click. Signals carry only what needs no file;
// GetTracksMetadata reads the tags and cover of the ids asked for, and keeps the latest.
class MprisTrackList : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2.TrackList")
    // Written out for the property annotation MPRIS asks for, which Qt cannot derive.
    Q_CLASSINFO("D-Bus Introspection",
                "<interface name=\"org.mpris.MediaPlayer2.TrackList\">"
                "<method name=\"GetTracksMetadata\">"
                "<arg direction=\"in\" name=\"TrackIds\" type=\"ao\"/>"
                "<arg direction=\"out\" name=\"Metadata\" type=\"aa{sv}\"/>"
                "<annotation name=\"org.qtproject.QtDBus.QtTypeName.Out0\" "
                "value=\"QList&lt;QVariantMap&gt;\"/>"
                "</method>"
                "<method name=\"AddTrack\">"
                "<arg direction=\"in\" name=\"Uri\" type=\"s\"/>"
                "<arg direction=\"in\" name=\"AfterTrack\" type=\"o\"/>"
                "<arg direction=\"in\" name=\"SetAsCurrent\" type=\"b\"/>"
                "</method>"
                "<method name=\"RemoveTrack\">"
                "<arg direction=\"in\" name=\"TrackId\" type=\"o\"/>"
                "</method>"
                "<method name=\"GoTo\">"
                "<arg direction=\"in\" name=\"TrackId\" type=\"o\"/>"
                "</method>"
                "<signal name=\"TrackListReplaced\">"
                "<arg name=\"Tracks\" type=\"ao\"/>"
                "<arg name=\"CurrentTrack\" type=\"o\"/>"
                "</signal>"
                "<signal name=\"TrackAdded\">"
                "<arg name=\"Metadata\" type=\"a{sv}\"/>"
                "<arg name=\"AfterTrack\" type=\"o\"/>"
                "<annotation name=\"org.qtproject.QtDBus.QtTypeName.Out0\" value=\"QVariantMap\"/>"
                "</signal>"
                "<signal name=\"TrackRemoved\">"
                "<arg name=\"TrackId\" type=\"o\"/>"
                "</signal>"
                "<signal name=\"TrackMetadataChanged\">"
                "<arg name=\"TrackId\" type=\"o\"/>"
                "<arg name=\"Metadata\" type=\"a{sv}\"/>"
                "<annotation name=\"org.qtproject.QtDBus.QtTypeName.Out1\" value=\"QVariantMap\"/>"
                "</signal>"
                "<property name=\"Tracks\" type=\"ao\" access=\"read\">"
                "<annotation name=\"org.freedesktop.DBus.Property.EmitsChangedSignal\" "
                "value=\"invalidates\"/>"
                "</property>"
                "<property name=\"CanEditTracks\" type=\"b\" access=\"read\"/>"
                "</interface>")
    Q_PROPERTY(QList<QDBusObjectPath> Tracks READ Tracks)
    Q_PROPERTY(bool CanEditTracks READ CanEditTracks)
public:
    static inline const QString kInterface = QStringLiteral("org.mpris.MediaPlayer2.TrackList");
    // More rows than this changed at once are announced as a replaced list.
    static constexpr int kMaxSingleSignals = 50;

    MprisTrackList(AutomationHost& host, TrackIds& ids, QObject* parent);

    QList<QDBusObjectPath> Tracks() const;
    bool CanEditTracks() const { return true; }

public Q_SLOTS:
    QList<QVariantMap> GetTracksMetadata(const QList<QDBusObjectPath>& trackIds);
    void AddTrack(const QString& uri, const QDBusObjectPath& afterTrack, bool setAsCurrent);
    void RemoveTrack(const QDBusObjectPath& trackId);
    void GoTo(const QDBusObjectPath& trackId);

Q_SIGNALS:
    void TrackListReplaced(const QList<QDBusObjectPath>& tracks,
                           const QDBusObjectPath& currentTrack);
    void TrackAdded(const QVariantMap& metadata, const QDBusObjectPath& afterTrack);
    void TrackRemoved(const QDBusObjectPath& trackId);
    void TrackMetadataChanged(const QDBusObjectPath& trackId, const QVariantMap& metadata);

private:
    struct FileFacts {
        formats::TrackTags tags;
        QString artUrl;
    };

    playlist::CTaviDoc* Document() const;
    // The entry text an URI names: a local path, a stream URL as it is; empty for others.
    static QString EntryOf(const QString& uri);
    QVariantMap BasicMetadata(int row) const;
    QVariantMap FullMetadata(int row);
    void AnnounceAdded(int first, int last);
    void AnnounceChanged(int first, int last);
    void AnnounceReplaced();
    void InvalidateTracksSoon();
    void InvalidateTracks();
    void PlayRow(int row);

    AutomationHost& m_host;
    TrackIds& m_ids;
    QCache<QString, FileFacts> m_facts;  // by entry path, the latest files asked about
    QTimer m_invalidate;
    QTimer m_replace;
};

}  // namespace tavi::automation
