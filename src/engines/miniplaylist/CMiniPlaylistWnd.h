#pragma once

#include "MiniPlaylistView.h"
#include "engines/CMediaTrack.h"
#include "engines/CMediaTrackCallback.h"

#include <QObject>
#include <QStringList>
#include <QTimer>

#include <memory>
#include <optional>

namespace tavi::engines {

class CMiniPlaylistTrack;

// Plays the files of a mini playlist one after another, each as a track of its own with this
// object as its callback, starting the next file the file's overlap before the end of the
// current one so that both sound for that time. Shows them in its view (when the UI layer
// provides one) and tells its owner track once when the last file has ended. UI thread.
class CMiniPlaylistWnd : public QObject, public CMediaTrackCallback {
    Q_OBJECT
public:
    static constexpr int kOverlapTimerMs = 200;

    explicit CMiniPlaylistWnd(CMiniPlaylistTrack& owner);
    ~CMiniPlaylistWnd() override;

    // The window is made with the title; it shows when the mini playlist first plays, so a
    // mini playlist opened only to read its length shows nothing.
    void Create(const QString& title);
    void Destroy();
    bool Exists() const { return m_created; }

    void SetFiles(const QStringList& files);
    const QStringList& Files() const { return m_files; }
    int Selection() const { return m_selection; }
    void Select(int row);

    // The window's commands: posted ones run on a later turn of the event loop.
    void PostPlay();
    void PostPauseToggle();
    void PauseToggle();

    CMiniPlaylistTrack& Owner() const { return m_owner; }
    CMediaTrack* CurrentTrack() const { return m_current.get(); }
    bool IsOverlapping() const { return m_previous != nullptr; }
    // Stops and closes what plays (the file playing out its overlap too).
    void DeleteTracks();
    // Reports an error unless the user asked to ignore all errors.
    void ReportError(const errors::CException& error);

    void OnTrackEnded(CMediaTrack* track) override;
    void OnTrackError(CMediaTrack* track, std::unique_ptr<errors::CException> error) override;

private:
    void ShowView();
    void Play();
    void PlayEntry(const QString& fileName);
    void StartCommand(const QString& fileName);
    void NextEntry();
    void OnOverlapTimer();
    void StartNextInOverlap();
    // The seconds of the current file's overlap still to play before the next one starts;
    // empty when it starts none.
    std::optional<double> SecondsToOverlap();
    void DeleteCurrentTrack();

    CMiniPlaylistTrack& m_owner;
    std::unique_ptr<MiniPlaylistView> m_view;
    bool m_created = false;
    QString m_title;
    QStringList m_files;
    int m_selection = -1;
    std::unique_ptr<CMediaTrack> m_current;
    std::unique_ptr<CMediaTrack> m_previous;  // playing out while the next file has started
    double m_overlap = -1.0;                  // the current file's; negative: the default
    bool m_last = false;                      // the current file is the last of the list
    QTimer m_overlapTimer;
    // Fired exactly at the overlap point once it is nearer than a tick of the timer.
    QTimer m_overlapShot;
};

}  // namespace tavi::engines
