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

// The selected entry's name is usually known already, its tags read off the UI thread.
QString ViewPlayerHost::GetDisplayName(const QString& entry) const {
    const PlaylistModel& model = m_document.model();
    const int current = model.current();
    if (current >= 0 && model.path(current) == entry && model.isNameKnown(current)) {
        return model.displayName(current);
    }
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
