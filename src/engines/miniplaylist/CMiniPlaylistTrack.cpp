#include "CMiniPlaylistTrack.h"

#include "MiniPlaylistEntries.h"
#include "MiniPlaylistMeasure.h"
#include "engines/TrackFactory.h"
#include "platform/errors/CFileException.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace tavi::engines {

namespace {

QString CanonicalOrAbsolute(const QString& path) {
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

}  // namespace

CMiniPlaylistTrack::CMiniPlaylistTrack() : m_window(*this) {}

CMiniPlaylistTrack::~CMiniPlaylistTrack() {
    Close();
}

void CMiniPlaylistTrack::Open(const QString& fileName) {
    CMediaTrack::Open(fileName);
    m_window.Create(QFileInfo(fileName).completeBaseName());
    ReadAndMeasure(fileName);
    m_window.Select(0);
    m_state = Stopped;
}

void CMiniPlaylistTrack::Close() {
    m_items.clear();
    if (m_state == Playing || m_state == Paused) {
        Stop();
    }
    if (m_window.Exists()) {
        m_window.Destroy();
    }
    CMediaTrack::Close();
    m_state = Closed;
}

void CMiniPlaylistTrack::Play() {
    PlayRange(0.0, GetLength());
}

void CMiniPlaylistTrack::PlayRange(double from, double to) {
    m_stopAt = to;
    Seek(from);
    m_endPosted = false;
    m_window.PostPlay();
    m_state = Playing;
}

void CMiniPlaylistTrack::Stop() {
    if (m_window.Exists()) {
        m_window.DeleteTracks();
    }
    m_state = Stopped;
}

void CMiniPlaylistTrack::Pause() {
    m_window.PostPauseToggle();
    m_state = Paused;
}

void CMiniPlaylistTrack::Resume() {
    m_window.PauseToggle();
    m_state = Playing;
}

double CMiniPlaylistTrack::GetPosition() {
    if (m_items.empty()) {
        return 0.0;
    }
    const int selection = m_window.Selection();
    double position = selection >= 0 && size_t(selection) < m_items.size()
                          ? m_items[size_t(selection)].start
                          : 0.0;
    if (m_window.Exists() && m_window.CurrentTrack()) {
        position += m_window.CurrentTrack()->GetPosition();
    }
    return position;
}

void CMiniPlaylistTrack::SetVolume(float level) {
    if (CMediaTrack* current = m_window.CurrentTrack()) {
        current->SetVolume(level);
    }
}

float CMiniPlaylistTrack::GetVolume() {
    CMediaTrack* current = m_window.CurrentTrack();
    return current ? current->GetVolume() : 0.0f;
}

double CMiniPlaylistTrack::GetFileLength(const QString& fileName) {
    ReadAndMeasure(fileName);
    const double total = m_length;
    m_items.clear();
    m_window.SetFiles({});
    m_playlistPath.clear();
    return total;
}

void CMiniPlaylistTrack::PostEnd() {
    if (!m_endPosted) {
        m_endPosted = true;
        m_notifyWnd.PostMessage(CMediaTrackNotifyWnd::kTrackEndedMessage);
    }
}

void CMiniPlaylistTrack::ReadAndMeasure(const QString& fileName) {
    ThrowIfInsideItself(fileName);
    m_playlistPath = CanonicalOrAbsolute(fileName);
    const QStringList files = ReadMiniPlaylist(fileName);
    m_window.SetFiles(files);
    Measure(files);
}

void CMiniPlaylistTrack::Measure(const QStringList& files) {
    m_items = MeasureMiniPlaylist(files, &m_window);
    m_length = m_items.empty() ? 0.0 : m_items.back().end;
}

// A list that holds itself, directly or through lists inside it, would open windows without
// end: it fails to open instead.
void CMiniPlaylistTrack::ThrowIfInsideItself(const QString& fileName) const {
    const QString path = CanonicalOrAbsolute(fileName);
    const CMediaTrackCallback* callback = m_callback;
    while (const auto* window = dynamic_cast<const CMiniPlaylistWnd*>(callback)) {
        const CMiniPlaylistTrack& outer = window->Owner();
        if (outer.PlaylistPath() == path) {
            throw errors::CFileException(
                errors::CFileException::badFormat, fileName, 0,
                QCoreApplication::translate("MiniPlaylist", "it plays itself."));
        }
        callback = outer.GetCallback();
    }
}

}  // namespace tavi::engines
