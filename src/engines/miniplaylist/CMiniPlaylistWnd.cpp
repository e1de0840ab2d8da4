#include "CMiniPlaylistWnd.h"

#include "CMiniPlaylistTrack.h"
#include "MiniPlaylistEntries.h"
#include "app/settings/PlayerSettings.h"
#include "engines/TrackFactory.h"
#include "engines/TrackQueries.h"
#include "platform/process/CommandEntry.h"

#include <QtDebug>

#include <cmath>

namespace tavi::engines {

namespace {

// What a failed command entry reports; the text is the system's.
class CCommandEntryException : public errors::CException {
public:
    explicit CCommandEntryException(QString message) : m_message(std::move(message)) {}
    QString GetErrorMessage() const override { return m_message; }

private:
    QString m_message;
};

}  // namespace

CMiniPlaylistWnd::CMiniPlaylistWnd(CMiniPlaylistTrack& owner) : m_owner(owner) {
    m_overlapTimer.setInterval(kOverlapTimerMs);
    connect(&m_overlapTimer, &QTimer::timeout, this, &CMiniPlaylistWnd::OnOverlapTimer);
    m_overlapShot.setSingleShot(true);
    m_overlapShot.setTimerType(Qt::PreciseTimer);
    connect(&m_overlapShot, &QTimer::timeout, this, &CMiniPlaylistWnd::StartNextInOverlap);
}

CMiniPlaylistWnd::~CMiniPlaylistWnd() {
    Destroy();
}

void CMiniPlaylistWnd::Create(const QString& title) {
    m_title = title;
    m_created = true;
}

void CMiniPlaylistWnd::ShowView() {
    if (m_view || !m_created) {
        return;
    }
    m_view = CreateMiniPlaylistView(m_title);
    if (m_view) {
        m_view->SetEntries(m_files);
        m_view->SelectEntry(m_selection);
    }
}

void CMiniPlaylistWnd::Destroy() {
    DeleteTracks();
    m_view.reset();
    m_files.clear();
    m_selection = -1;
    m_created = false;
}

void CMiniPlaylistWnd::SetFiles(const QStringList& files) {
    m_files = files;
    m_selection = -1;
    if (m_view) {
        m_view->SetEntries(files);
    }
}

void CMiniPlaylistWnd::Select(int row) {
    m_selection = row >= 0 && row < m_files.size() ? row : -1;
    if (m_view) {
        m_view->SelectEntry(m_selection);
    }
}

void CMiniPlaylistWnd::PostPlay() {
    ShowView();
    QMetaObject::invokeMethod(this, &CMiniPlaylistWnd::Play, Qt::QueuedConnection);
}

void CMiniPlaylistWnd::PostPauseToggle() {
    QMetaObject::invokeMethod(this, &CMiniPlaylistWnd::PauseToggle, Qt::QueuedConnection);
}

void CMiniPlaylistWnd::Play() {
    if (m_current) {
        try {
            m_current->Resume();
            if (m_previous) {
                m_previous->Resume();
            }
        } catch (const errors::CException& error) {
            ReportError(error);
        }
        return;
    }
    if (m_selection < 0) {
        return;
    }
    m_last = m_selection == m_files.size() - 1;
    PlayEntry(m_files.at(m_selection));
}

// A file playing out its overlap pauses with the current one: a paused mini playlist is
// silent.
void CMiniPlaylistWnd::PauseToggle() {
    if (!m_current) {
        return;
    }
    try {
        const bool resume = m_current->IsPaused();
        for (CMediaTrack* track : {m_previous.get(), m_current.get()}) {
            if (track) {
                resume ? track->Resume() : track->Pause();
            }
        }
    } catch (const errors::CException& error) {
        ReportError(error);
    }
}

void CMiniPlaylistWnd::PlayEntry(const QString& fileName) {
    if (process::IsCommandEntry(fileName)) {
        StartCommand(fileName);
        return;
    }
    m_overlap = FileOverlap(fileName);
    m_current = CreateTrackForFile(fileName, this);
    try {
        m_current->Open(fileName);
        m_current->Play();
    } catch (const errors::CException& error) {
        m_current.reset();
        ReportError(error);
        if (settings::playerSettings().ignoreErrors) {
            NextEntry();
        }
        return;
    }
    if (!m_last && !m_overlapTimer.isActive()) {
        m_overlapTimer.start();
    }
}

// Programs and scripts start without a shell and without waiting; the next entry follows
// at once.
void CMiniPlaylistWnd::StartCommand(const QString& fileName) {
    QString error;
    if (!process::StartCommandEntry(fileName, &error)) {
        ReportError(CCommandEntryException(error));
    }
    NextEntry();
}

void CMiniPlaylistWnd::NextEntry() {
    if (m_selection < 0) {
        return;
    }
    if (m_selection < m_files.size() - 1) {
        Select(m_selection + 1);
        Play();
        return;
    }
    m_overlapTimer.stop();
    m_owner.PostEnd();
}

std::optional<double> CMiniPlaylistWnd::SecondsToOverlap() {
    if (!m_current || m_last) {
        return std::nullopt;
    }
    const double overlap = m_overlap < 0.0 ? DefaultOverlap() : m_overlap;
    if (overlap == 0.0) {
        return std::nullopt;
    }
    const std::optional<double> length = LengthOf(*m_current);
    const std::optional<double> position = PositionOf(*m_current);
    if (!length || !position || *length <= 0.0) {
        return std::nullopt;
    }
    return *length - overlap - *position;
}

// Checked five times a second; once the point is nearer than the next check, a single shot
// starts the next file on time, so the overlap is as long as the name says.
void CMiniPlaylistWnd::OnOverlapTimer() {
    const std::optional<double> remaining = SecondsToOverlap();
    if (!remaining || m_overlapShot.isActive() || !m_current->IsPlaying()) {
        return;
    }
    if (*remaining < 0.0) {
        StartNextInOverlap();
    } else if (*remaining * 1000.0 < kOverlapTimerMs) {
        m_overlapShot.start(int(std::lround(*remaining * 1000.0)));
    }
}

void CMiniPlaylistWnd::StartNextInOverlap() {
    if (!SecondsToOverlap()) {
        return;  // the file ended, or was stopped, before its overlap came
    }
    if (m_previous) {
        m_previous->Close();
    }
    m_previous = std::move(m_current);
    NextEntry();
}

void CMiniPlaylistWnd::DeleteCurrentTrack() {
    m_overlapShot.stop();
    if (m_current) {
        m_current->Close();
        m_current.reset();
    }
}

void CMiniPlaylistWnd::DeleteTracks() {
    m_overlapTimer.stop();
    DeleteCurrentTrack();
    if (m_previous) {
        m_previous->Close();
        m_previous.reset();
    }
}

void CMiniPlaylistWnd::ReportError(const errors::CException& error) {
    if (settings::playerSettings().ignoreErrors) {
        return;
    }
    if (m_view) {
        m_view->ShowError(error.GetErrorMessage());
    } else {
        qWarning().noquote() << "Mini playlist:" << error.GetErrorMessage();
    }
}

void CMiniPlaylistWnd::OnTrackEnded(CMediaTrack* track) {
    if (track == m_previous.get()) {
        m_previous->Close();
        m_previous.reset();
        return;
    }
    if (track != m_current.get()) {
        return;  // a scratch track of the measurement, or one already let go
    }
    DeleteCurrentTrack();
    NextEntry();
}

void CMiniPlaylistWnd::OnTrackError(CMediaTrack* track, std::unique_ptr<errors::CException> error) {
    if (track == m_current.get() || track == m_previous.get()) {
        ReportError(*error);
    }
    OnTrackEnded(track);
}

}  // namespace tavi::engines
