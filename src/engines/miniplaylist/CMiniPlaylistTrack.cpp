#include "CMiniPlaylistTrack.h"

#include "MiniPlaylistEntries.h"
#include "engines/TrackFactory.h"
#include "engines/directshow/CDirectShowTrack.h"
#include "platform/errors/CFileException.h"
#include "platform/process/CommandEntry.h"

#include <QDeadlineTimer>
#include <QFileInfo>

namespace tavi::engines {

namespace {

QString CanonicalOrAbsolute(const QString& path) {
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

// The length a file adds to the time line: its own, less the overlap into the next file.
double OverlapOf(const QString& fileName, bool last, double length) {
    if (last) {
        return 0.0;
    }
    double overlap = FileOverlap(fileName);
    if (overlap < 0.0) {
        overlap = DefaultOverlap();
    }
    return std::min(overlap, length);
}

// The time line needs every length, so the measurement waits for opens that a track played
// at once would let go on in the background (a decoder loaded for the first time, a slow
// disk), within a budget for the whole list.
constexpr std::chrono::milliseconds kMeasureBudget{5000};

class MeasureOpenWait {
public:
    MeasureOpenWait() : m_before(CDirectShowTrack::OpenWait()), m_deadline(kMeasureBudget) {}
    ~MeasureOpenWait() { CDirectShowTrack::SetOpenWait(m_before); }
    MeasureOpenWait(const MeasureOpenWait&) = delete;
    MeasureOpenWait& operator=(const MeasureOpenWait&) = delete;

    void BeforeOpen() {
        const auto left = std::chrono::milliseconds(m_deadline.remainingTime());
        CDirectShowTrack::SetOpenWait(std::max(m_before, left));
    }

private:
    std::chrono::milliseconds m_before;
    QDeadlineTimer m_deadline;
};

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

// Each file is opened once to read its length; one that fails adds nothing and is tried
// again when its turn comes. Programs are not measured: opening them as media would fail.
void CMiniPlaylistTrack::Measure(const QStringList& files) {
    m_items.clear();
    double total = 0.0;
    MeasureOpenWait wait;
    for (qsizetype i = 0; i < files.size(); ++i) {
        const QString& file = files.at(i);
        m_window.Select(int(i));
        CMiniPlaylistItem& item = m_items.emplace_back();
        item.fileName = file;
        item.start = item.end = total;
        if (process::IsCommandEntry(file)) {
            continue;
        }
        wait.BeforeOpen();
        try {
            // A mini playlist inside is measured without opening its window.
            const double length = CreateTrackForFile(file, &m_window)->GetFileLength(file);
            if (length < 0.0) {
                continue;  // still opening in the background: no length to add yet
            }
            total += length - OverlapOf(file, i == files.size() - 1, length);
            item.length = length;
            item.end = total;
            item.unmeasured = false;
        } catch (const errors::CException&) {
            // Shown when the file's turn comes to play.
        }
    }
    m_length = total;
}

// A list that holds itself, directly or through lists inside it, would open windows without
// end: it fails to open instead.
void CMiniPlaylistTrack::ThrowIfInsideItself(const QString& fileName) const {
    const QString path = CanonicalOrAbsolute(fileName);
    const CMediaTrackCallback* callback = m_callback;
    while (const auto* window = dynamic_cast<const CMiniPlaylistWnd*>(callback)) {
        const CMiniPlaylistTrack& outer = window->Owner();
        if (outer.PlaylistPath() == path) {
            throw errors::CFileException(errors::CFileException::badFormat, fileName, 0,
                                         QStringLiteral("it plays itself."));
        }
        callback = outer.GetCallback();
    }
}

}  // namespace tavi::engines
