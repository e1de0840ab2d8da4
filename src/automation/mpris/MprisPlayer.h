#pragma once

#include "formats/metadata/TrackTags.h"

#include <QDBusAbstractAdaptor>
#include <QDBusObjectPath>
#include <QVariantMap>

namespace tavi::engines {
class CMediaTrack;
}

namespace tavi::automation {

class AutomationHost;
class TrackIds;

// org.mpris.MediaPlayer2.Player over the active view's player, so that media keys and
// tools such as playerctl control Tavi. Times are in microseconds. LoopStatus "Track" is
// the LOOP mode and "Playlist" the REPEAT mode; Shuffle is the RANDOM mode. Commands are
// posted to the view like menu commands.
class MprisPlayer : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2.Player")
    Q_PROPERTY(QString PlaybackStatus READ PlaybackStatus)
    Q_PROPERTY(QString LoopStatus READ LoopStatus WRITE SetLoopStatus)
    Q_PROPERTY(double Rate READ Rate WRITE SetRate)
    Q_PROPERTY(bool Shuffle READ Shuffle WRITE SetShuffle)
    Q_PROPERTY(QVariantMap Metadata READ Metadata)
    Q_PROPERTY(double Volume READ Volume WRITE SetVolume)
    Q_PROPERTY(qlonglong Position READ Position)
    Q_PROPERTY(double MinimumRate READ Rate)
    Q_PROPERTY(double MaximumRate READ Rate)
    Q_PROPERTY(bool CanGoNext READ CanControl)
    Q_PROPERTY(bool CanGoPrevious READ CanControl)
    Q_PROPERTY(bool CanPlay READ CanControl)
    Q_PROPERTY(bool CanPause READ CanControl)
    Q_PROPERTY(bool CanSeek READ CanControl)
    Q_PROPERTY(bool CanControl READ CanControl)
public:
    static inline const QString kObjectPath = QStringLiteral("/org/mpris/MediaPlayer2");
    static inline const QString kService = QStringLiteral("org.mpris.MediaPlayer2.tavi");

    // ids (may be null) names the playing entry as the TrackList does.
    MprisPlayer(AutomationHost& host, const TrackIds* ids, QObject* parent);

    QString PlaybackStatus() const;
    QString LoopStatus() const;
    void SetLoopStatus(const QString& status);
    double Rate() const { return 1.0; }
    void SetRate(double) {}  // the one rate is 1
    bool Shuffle() const;
    void SetShuffle(bool on);
    QVariantMap Metadata() const;
    double Volume() const { return 1.0; }
    void SetVolume(double) {}  // the mixer owns the volume
    qlonglong Position() const;
    bool CanControl() const { return true; }

public Q_SLOTS:
    void Next();
    void Previous();
    void Pause();
    void PlayPause();
    void Stop();
    void Play();
    void Seek(qlonglong offset);
    void SetPosition(const QDBusObjectPath& trackId, qlonglong position);
    void OpenUri(const QString& uri);

Q_SIGNALS:
    void Seeked(qlonglong position);

private:
    engines::CMediaTrack* Track() const;
    uint32_t Mode() const;
    void SetMode(uint32_t mode);
    void Post(int command);
    void WatchPlayer();
    void AnnounceChanges(const QStringList& names);
    QDBusObjectPath CurrentTrackId(const QString& file) const;
    // The playing file's tags and cover, read once per file (clients ask for Metadata often).
    const formats::TrackTags& TagsOf(const QString& file) const;

    AutomationHost& m_host;
    mutable QString m_taggedFile;
    mutable formats::TrackTags m_tags;
    mutable QString m_artUrl;
    const TrackIds* m_ids;
};

}  // namespace tavi::automation
