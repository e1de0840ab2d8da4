#pragma once

#include "CUndoDoc.h"
#include "engines/CMediaTrack.h"

#include <QStringList>

#include <functional>
#include <memory>

namespace tavi::playlist {

class PlaylistEditor;
class PlaylistModel;

// The playlist document: the entry list (PlaylistModel), its editing operations
// (PlaylistEditor), undo and redo, and New / Open / Save.
//
// Seam to the playlist file readers and writers: reading and writing a playlist FILE goes
// through playlistFileHooks(). load(path) returns the file's entry texts in order; save(path,
// entries) writes them in the format chosen by the path's extension. Both report failure by
// throwing an exception derived from std::exception whose what() is the message shown (an
// empty message shows "Failed to open document."). Until they are connected, opening a
// playlist file fails with that message and saving reports that no writer is available.
// Opening a folder and New need no hook.
class CTaviDoc : public CUndoDoc {
    Q_OBJECT
public:
    // Whether a path opened is the CD drive's root, which opens as the disc's tracks.
    static bool IsCdRoot(const QString& path);

    struct PlaylistFileHooks {
        std::function<QStringList(const QString& path)> load;
        std::function<void(const QString& path, const QStringList& entries)> save;
    };

    explicit CTaviDoc(QObject* parent = nullptr);
    ~CTaviDoc() override;

    PlaylistModel& model() { return *m_model; }
    const PlaylistModel& model() const { return *m_model; }
    PlaylistEditor& editor() { return *m_editor; }
    PlaylistFileHooks& playlistFileHooks() { return m_fileHooks; }

    // Set by the main frame while the main window closes: "SaveOnExit" then saves a
    // modified playlist to its own file without asking.
    void SetClosing(bool closing) { m_closing = closing; }
    bool IsClosing() const { return m_closing; }
    bool SaveModified() override;

    // Replaces the list with the entries of file (a copy kept when the last session ended
    // unsaved) and names the document pathName (empty: Untitled). The document counts as
    // modified: its own file does not hold these entries yet.
    bool RestoreFrom(const QString& file, const QString& pathName);

    // Asks the view to play a file. Playback comes later: nothing listens yet.
    void PlayFile(const QString& path) { Q_EMIT playFileRequested(path); }

    // The track playing now (at most one), owned by the document. Setting a track while
    // one is current is a programming error; close the current one first.
    engines::CMediaTrack* GetCurrentTrack() const { return m_currentTrack.get(); }
    bool HasCurrentTrack() const { return m_currentTrack != nullptr; }
    void SetCurrentTrack(std::unique_ptr<engines::CMediaTrack> track);
    // Closes and deletes the current track, if any.
    void CloseCurrentTrack();
    // The current track, no longer current but still open (it plays out a crossfade).
    std::unique_ptr<engines::CMediaTrack> TakeCurrentTrack();

    QByteArray StoreSnapshot() const override;
    void LoadSnapshot(const QByteArray& snapshot) override;

Q_SIGNALS:
    void playFileRequested(const QString& path);
    // A new or opened playlist is in place (the view starts AutoPlay's timer).
    void documentInitialized();
    // The current track changed (null: none), for the position slider and automation.
    void currentTrackChanged(engines::CMediaTrack* track);

protected:
    bool OnNewDocument() override;
    bool OnOpenDocument(const QString& path) override;
    bool OnSaveDocument(const QString& path) override;
    bool CanSaveTo(const QString& path) const override;

private:
    bool openPlaylistFile(const QString& path);

    std::unique_ptr<PlaylistModel> m_model;
    std::unique_ptr<PlaylistEditor> m_editor;
    PlaylistFileHooks m_fileHooks;
    std::unique_ptr<engines::CMediaTrack> m_currentTrack;
    bool m_closing = false;
};

}  // namespace tavi::playlist
