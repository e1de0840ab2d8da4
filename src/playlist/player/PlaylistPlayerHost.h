#pragma once

#include "engines/player/PlayerHost.h"
#include "playlist/ShufflePlaylist.h"
#include "playlist/WaitCursor.h"

#include <functional>
#include <memory>
#include <vector>

namespace tavi::playlist {

class CTaviDoc;

// The player's view of the playlist: the document's list and selection, its current track,
// and the view's random generator, seeded when the view was created.
class PlaylistPlayerHost : public engines::PlayerHost {
public:
    explicit PlaylistPlayerHost(CTaviDoc& document);

    int GetSelection() const override;
    void SetSelection(int index) override;
    int GetCount() const override;
    QString GetEntry(int index) const override;
    QString GetDisplayName(const QString& entry) const override;
    void ShufflePlaylist() override;
    int NextRandom() override { return m_random.next(); }

    engines::CMediaTrack* GetCurrentTrack() const override;
    void SetCurrentTrack(std::unique_ptr<engines::CMediaTrack> track) override;
    void CloseCurrentTrack() override;
    std::unique_ptr<engines::CMediaTrack> TakeCurrentTrack() override;

    void ShowTrackError(const errors::CException& error, const QString& entry) override;
    void MarkEntryFailed(const QString& entry, bool failed) override;
    // A failing entry's message: its name and file, then the engine's text.
    static QString EntryErrorText(const QString& displayName, const QString& path,
                                  const QString& message);
    void SetBusy(bool busy) override;

    // How errors reach the user (a message box in the window); set by the view.
    std::function<void(const QString& message)> showError;

private:
    CTaviDoc& m_document;
    RuntimeRandom m_random;
    std::vector<std::unique_ptr<WaitCursor>> m_waitCursors;
};

}  // namespace tavi::playlist
