#pragma once

#include "engines/CMediaTrack.h"
#include "platform/errors/CException.h"

#include <QString>

#include <memory>

namespace tavi::engines {

// What the player needs of the playlist it plays and the document that holds the current
// track. The playlist view implements it; every call comes from the UI thread.
class PlayerHost {
public:
    virtual ~PlayerHost() = default;

    // The selected entry (the current entry), -1 when none.
    virtual int GetSelection() const = 0;
    virtual void SetSelection(int index) = 0;
    // The number of entries, -1 when the list cannot say.
    virtual int GetCount() const = 0;
    virtual QString GetEntry(int index) const = 0;
    // The name the playlist shows for an entry text (also for files played from outside).
    virtual QString GetDisplayName(const QString& entry) const = 0;
    // Shuffles the whole list and selects its first entry.
    virtual void ShufflePlaylist() = 0;
    // The next value 0..32767 of the generator the view seeded when it was created.
    virtual int NextRandom() = 0;

    // The document's current track (at most one).
    virtual CMediaTrack* GetCurrentTrack() const = 0;
    virtual void SetCurrentTrack(std::unique_ptr<CMediaTrack> track) = 0;
    // Closes and deletes the current track, if any.
    virtual void CloseCurrentTrack() = 0;
    // Hands the current track over without closing it (a crossfade plays it out); null when
    // there is none.
    virtual std::unique_ptr<CMediaTrack> TakeCurrentTrack() = 0;

    // Shows an engine's error to the user (restoring a hidden main window first); entry is
    // the file that failed (empty when the message names it already).
    virtual void ShowTrackError(const errors::CException& error, const QString& entry) = 0;
    // An entry's file failed to play (failed) or played (!failed): the list marks it.
    virtual void MarkEntryFailed(const QString& /*entry*/, bool /*failed*/) {}
    // The wait cursor around a long step.
    virtual void SetBusy(bool /*busy*/) {}
};

}  // namespace tavi::engines
