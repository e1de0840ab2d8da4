#pragma once

#include "AdditionQueue.h"
#include "WaitCursor.h"

#include <QObject>
#include <QStringList>

#include <deque>
#include <optional>

#include <functional>
#include <utility>

namespace tavi::playlist {

class CUndoDoc;
class PlaylistModel;

// The editing operations of the playlist view, without widgets: every command that changes
// the list, with its undo id and selection rule. The view turns menu commands, keys,
// dialogs, the clipboard and drops into these calls.
class PlaylistEditor : public QObject {
    Q_OBJECT
public:
    // Seams to parts that come later or live above this library. All are optional and are
    // called on the UI thread.
    struct Hooks {
        // The entries of a ".alb", ".wpl" or ".search-ms" file added with AddPath (the
        // playlist readers); when unset, such a file is added as one entry like any file.
        // Throws std::exception when the file cannot be read.
        std::function<QStringList(const QString& path)> playlistExpander;
        // The tracks of a CUE sheet, or of a FLAC file carrying one, as entries; nothing for
        // any other file. Throws std::exception with the message when a sheet is refused.
        std::function<std::optional<QStringList>(const QString& path)> cueSheetEntries;
        // Shows a refusal (a sheet without a playable track) to the user.
        std::function<void(const QString& message)> reportError;
        // Playback: whether a track plays, which file it plays, and stopping it (with the
        // fade) before its file is moved to the trash; stopPlayback calls its argument
        // once stopped, which may be after the call returned.
        std::function<bool()> isPlaying;
        std::function<QString()> playingFile;
        std::function<void(std::function<void()> stopped)> stopPlayback;
    };

    enum class RenameResult { Renamed, Unchanged, Failed };

    PlaylistEditor(PlaylistModel& model, CUndoDoc& document);

    Hooks& hooks() { return m_hooks; }
    PlaylistModel& model() { return m_model; }

    // Building blocks (the caller records the undo step). A folder is walked in the
    // background: its files arrive later, then finished runs.
    void AddPath(const QString& path);
    void AddFolder(const QString& path, std::function<void()> finished = {});
    bool AddEntry(const QString& path);
    bool InsertEntry(int index, const QString& path);
    bool RemoveEntry(int index);

    // Automation's edits: undone like the window's, a burst of them as one step. While
    // the list is busy they wait, and run in the order they came when it is over.
    void AddPathFromOutside(const QString& path);
    void InsertEntryFromOutside(int index, const QString& path);
    void RemoveEntryFromOutside(int index);
    // Runs change now, or when the long operation running is over, after the changes
    // that came before it.
    void WhenIdle(std::function<void()> change);

    // Commands; each records its undo step.
    void AddTracks(const QStringList& files);
    void AddPause();
    // Add All CD Tracks: "TrackNN.cda" of every track of the disc in the CD drive, in order;
    // false (nothing added) when there is no drive or no disc with tracks.
    bool AddAllCdTracks();
    void Remove();
    void ClearAll();
    QString Copy() const;  // the selected entry's path; empty when none
    QString Cut();
    void Paste(const QString& text);
    void MoveUp();
    void MoveDown();
    void MoveToBottom();
    void MoveToTop();
    // Sorts by display name once every name is known: names still being read are waited
    // for (with the busy cursor) while the window stays responsive. A Sort asked for while
    // one waits is that one.
    void Sort();
    bool isSortWaiting() const { return m_sortWaiting; }
    bool CanShuffle() const;
    void Shuffle();
    // Moves the selected entry's file to the trash and removes the entry when the file is
    // gone. Returns false when there was nothing to delete or the file stayed. The file
    // that plays is stopped first and deleted once stopped (true: it is to be deleted),
    // unless by then another entry is selected.
    bool DeleteFile();
    // Rename of a ".pause" entry: the entry becomes "<seconds><old extension>".
    void RenamePause(int seconds);
    // Rename of any other entry's file to newTitle (folder and extension kept).
    RenameResult RenameFile(const QString& newTitle);
    // A drop of files and folders from the file manager. Returns the names that did not
    // exist (for "File '%s' not found"); the rest is added, folders in the background, after
    // any addition still running. The undo step is recorded when everything is in.
    QStringList Drop(const QStringList& paths);

    // Whether a long operation runs on the list (a folder being added, Total Length): edits
    // from outside wait until it is over, the window's edit commands are off.
    bool IsBusy() const { return m_additions->IsRunning() || m_longOperations > 0; }
    // Total Length and the like hold the list busy between these calls.
    void BeginLongOperation();
    void EndLongOperation();
    // The list is being replaced: additions still running or waiting are forgotten.
    void CancelAdditions();
    // A drag within the list: the entry moves to just before the entry at target (or to
    // the end when target is the count).
    bool DragMove(int from, int target);

    // The AutoPlay rule after adding to a list that was empty.
    void AutoPlayIfWasEmpty(bool wasEmpty);

    // Splits clipboard text into entries: at CR, LF or CR LF; empty lines are dropped.
    static QStringList SplitLines(const QString& text);

Q_SIGNALS:
    // Start playing the current entry (the Play command). Playback comes later.
    void playRequested();
    // IsBusy() changed.
    void busyChanged(bool busy);

private:
    void addName(const QString& path);
    // A file of a folder: a sheet that cannot be used is passed over without a message.
    void addFolderFile(const QString& path);
    // The tracks when path holds a CUE sheet (none when it was refused); nothing when it is
    // an entry of its own.
    std::optional<QStringList> cueTracksOf(const QString& path, bool reportRefusal);
    static std::vector<AdditionQueue::Step> entrySteps(const QStringList& paths);
    void moveSelectedTo(int target, int undoId);
    bool playing() const { return m_hooks.isPlaying && m_hooks.isPlaying(); }
    void busyMayHaveChanged();
    void runWaitingChanges();
    void sortByKnownNames();
    bool TrashCurrentFile(const QString& path);

    PlaylistModel& m_model;
    CUndoDoc& m_document;
    Hooks m_hooks;
    AdditionQueue* m_additions;
    std::optional<WaitCursor> m_additionCursor;
    int m_longOperations = 0;
    bool m_announcedBusy = false;  // what busyChanged said last
    std::deque<std::function<void()>> m_waitingChanges;
    bool m_runningWaiting = false;
    bool m_sortWaiting = false;
};

}  // namespace tavi::playlist
