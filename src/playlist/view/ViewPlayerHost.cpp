#include "ViewPlayerHost.h"

#include "playlist/CTaviDoc.h"
#include "playlist/DisplayName.h"
#include "playlist/PlaylistEditor.h"
#include "playlist/PlaylistModel.h"
#include "playlist/WaitCursor.h"

#include <ctime>

namespace tavi::playlist {

ViewPlayerHost::ViewPlayerHost(CTaviDoc& document)
    : m_document(document), m_random(uint32_t(std::time(nullptr) % 32767)) {}

int ViewPlayerHost::GetSelection() const {
    return m_document.model().current();
}

void ViewPlayerHost::SetSelection(int index) {
    m_document.model().setCurrent(index);
}

int ViewPlayerHost::GetCount() const {
    return m_document.model().count();
}

QString ViewPlayerHost::GetEntry(int index) const {
    const PlaylistModel& model = m_document.model();
    return index >= 0 && index < model.count() ? model.path(index) : QString();
}

QString ViewPlayerHost::GetDisplayName(const QString& entry) const {
    return playlist::GetDisplayName(entry);
}

// A reshuffle at the end of the list is an edit like the Shuffle command, undoable.
void ViewPlayerHost::ShufflePlaylist() {
    m_document.editor().Shuffle();
}

engines::CMediaTrack* ViewPlayerHost::GetCurrentTrack() const {
    return m_document.GetCurrentTrack();
}

void ViewPlayerHost::SetCurrentTrack(std::unique_ptr<engines::CMediaTrack> track) {
    m_document.SetCurrentTrack(std::move(track));
}

void ViewPlayerHost::CloseCurrentTrack() {
    m_document.CloseCurrentTrack();
}

void ViewPlayerHost::ShowTrackError(const errors::CException& error) {
    if (showError) {
        showError(error.GetErrorMessage());
    }
}

void ViewPlayerHost::SetBusy(bool busy) {
    if (busy) {
        m_waitCursors.push_back(std::make_unique<WaitCursor>());
    } else if (!m_waitCursors.empty()) {
        m_waitCursors.pop_back();
    }
}

}  // namespace tavi::playlist
