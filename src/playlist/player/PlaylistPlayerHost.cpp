#include "PlaylistPlayerHost.h"

#include "playlist/CTaviDoc.h"
#include "playlist/DisplayName.h"
#include "playlist/PlaylistEditor.h"
#include "playlist/PlaylistModel.h"
#include "playlist/WaitCursor.h"

#include <QCoreApplication>

#include <ctime>

namespace tavi::playlist {

PlaylistPlayerHost::PlaylistPlayerHost(CTaviDoc& document)
    : m_document(document), m_random(uint32_t(std::time(nullptr) % 32767)) {}

int PlaylistPlayerHost::GetSelection() const {
    return m_document.model().current();
}

void PlaylistPlayerHost::SetSelection(int index) {
    m_document.model().setCurrent(index);
}

int PlaylistPlayerHost::GetCount() const {
    return m_document.model().count();
}

QString PlaylistPlayerHost::GetEntry(int index) const {
    const PlaylistModel& model = m_document.model();
    return index >= 0 && index < model.count() ? model.path(index) : QString();
}

// The selected entry's name is usually known already, its tags read off the UI thread.
QString PlaylistPlayerHost::GetDisplayName(const QString& entry) const {
    const PlaylistModel& model = m_document.model();
    const int current = model.current();
    if (current >= 0 && model.path(current) == entry && model.isNameKnown(current)) {
        return model.displayName(current);
    }
    return playlist::GetDisplayName(entry);
}

// A reshuffle at the end of the list is an edit like the Shuffle command, undoable.
void PlaylistPlayerHost::ShufflePlaylist() {
    m_document.editor().Shuffle();
}

engines::CMediaTrack* PlaylistPlayerHost::GetCurrentTrack() const {
    return m_document.GetCurrentTrack();
}

void PlaylistPlayerHost::SetCurrentTrack(std::unique_ptr<engines::CMediaTrack> track) {
    m_document.SetCurrentTrack(std::move(track));
}

void PlaylistPlayerHost::CloseCurrentTrack() {
    m_document.CloseCurrentTrack();
}

std::unique_ptr<engines::CMediaTrack> PlaylistPlayerHost::TakeCurrentTrack() {
    return m_document.TakeCurrentTrack();
}

void PlaylistPlayerHost::ShowTrackError(const errors::CException& error, const QString& entry) {
    if (showError) {
        showError(entry.isEmpty()
                      ? error.GetErrorMessage()
                      : EntryErrorText(GetDisplayName(entry), entry, error.GetErrorMessage()));
    }
}

// The engine's text alone ("Could not determine type of stream.") does not say which of
// three hundred files failed.
QString PlaylistPlayerHost::EntryErrorText(const QString& displayName, const QString& path,
                                           const QString& message) {
    const QString title = QCoreApplication::translate("tavi::playlist::PlaylistPlayerHost",
                                                      "\"%1\" cannot be played.")
                              .arg(displayName);
    const QString where = displayName == path ? QString() : path + QLatin1Char('\n');
    return QStringLiteral("%1\n%2\n%3").arg(title, where, message);
}

void PlaylistPlayerHost::MarkEntryFailed(const QString& entry, bool failed) {
    m_document.model().setFailed(entry, failed);
}

void PlaylistPlayerHost::SetBusy(bool busy) {
    if (busy) {
        m_waitCursors.push_back(std::make_unique<WaitCursor>());
    } else if (!m_waitCursors.empty()) {
        m_waitCursors.pop_back();
    }
}

}  // namespace tavi::playlist
