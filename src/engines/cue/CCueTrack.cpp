#include "CCueTrack.h"

#include "engines/TrackFactory.h"
#include "formats/CueEntries.h"
#include "platform/errors/CFileException.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>
#include <utility>

namespace tavi::engines {

namespace {
// Longer than any file: a range whose end is not known yet ends with its file.
constexpr double kWholeRange = 1e9;
}  // namespace

CCueTrack::~CCueTrack() {
    Close();
}

void CCueTrack::Prepare(const QString& fileName) {
    const std::optional<formats::CueTrackRef> ref = formats::ParseCueTrackEntry(fileName);
    if (!ref) {
        throw errors::CFileException(errors::CFileException::badPath, fileName);
    }
    const formats::CueSheet sheet = formats::ReadContainerSheet(ref->container);
    const formats::CueTrack* track = sheet.Track(ref->number);
    if (!track) {
        throw errors::CFileException(
            errors::CFileException::badFormat, ref->container, 0,
            QCoreApplication::translate("CCueTrack", "the CUE sheet has no track %1.")
                .arg(ref->number));
    }
    // Only a regular file: a sheet naming another sheet's track (or itself) would nest
    // without end, and a FIFO would block the open.
    if (!QFileInfo(track->file).isFile()) {
        throw errors::CFileException(errors::CFileException::fileNotFound, track->file);
    }
    m_sheetPath = ref->container;
    m_number = ref->number;
    m_innerFile = track->file;
    m_start = track->start;
    m_end = track->end;
    m_resumeAt.reset();
    m_inner = CreateTrackForFile(m_innerFile, this);
}

void CCueTrack::Open(const QString& fileName) {
    Close();
    Prepare(fileName);
    try {
        m_inner->Open(m_innerFile);
        CheckRange();
    } catch (...) {
        m_inner.reset();
        throw;
    }
    CMediaTrack::Open(fileName);
}

bool CCueTrack::OpenAhead(const QString& fileName) {
    Close();
    Prepare(fileName);
    try {
        if (!m_inner->OpenAhead(m_innerFile)) {
            m_inner.reset();
            return false;
        }
        CheckRange();
    } catch (...) {
        m_inner.reset();
        throw;
    }
    CMediaTrack::Open(fileName);
    return true;
}

// A sheet that places a track at or after its file's end names nothing to play.
void CCueTrack::CheckRange() {
    if (m_inner->IsOpening()) {
        return;  // the length is known only later; the range is then simply empty
    }
    if (RangeEnd() <= m_start) {
        throw errors::CFileException(
            errors::CFileException::badFormat, m_sheetPath, 0,
            QCoreApplication::translate("CCueTrack", "track %1 begins after the end of %2.")
                .arg(m_number)
                .arg(m_innerFile));
    }
}

void CCueTrack::WaitForOpen(std::chrono::milliseconds wait) {
    if (m_inner) {
        m_inner->WaitForOpen(wait);
    }
}

void CCueTrack::Close() {
    if (m_inner) {
        m_inner->Close();
        m_inner.reset();
    }
    m_resumeAt.reset();
    CMediaTrack::Close();
}

double CCueTrack::RangeEnd() {
    if (m_end) {
        return *m_end;
    }
    return m_inner->GetLength();
}

// While the file still opens in the background its length is unknown; the range then runs
// to wherever the file ends.
std::optional<double> CCueTrack::KnownRangeEnd() {
    if (!m_end && m_inner->IsOpening()) {
        return std::nullopt;
    }
    return RangeEnd();
}

double CCueTrack::GetLength() {
    if (!m_inner) {
        return 0.0;
    }
    return std::max(0.0, RangeEnd() - m_start);
}

void CCueTrack::Play() {
    PlayRange(0.0, kWholeRange);
}

void CCueTrack::PlayRange(double from, double to) {
    if (!m_inner) {
        return;
    }
    m_resumeAt.reset();
    const std::optional<double> end = KnownRangeEnd();
    const double stop = std::min(m_start + std::max(0.0, to), end.value_or(m_start + kWholeRange));
    m_inner->PlayRange(std::min(m_start + std::max(0.0, from), stop), stop);
}

void CCueTrack::Stop() {
    m_resumeAt.reset();
    if (m_inner) {
        m_inner->Stop();
    }
}

void CCueTrack::Pause() {
    if (m_inner) {
        m_inner->Pause();
    }
}

void CCueTrack::Resume() {
    if (!m_inner) {
        return;
    }
    if (const std::optional<double> at = std::exchange(m_resumeAt, std::nullopt)) {
        // Some engines forget the end of their range when they seek: it is set again.
        m_inner->PlayRange(*at, KnownRangeEnd().value_or(*at + kWholeRange));
        return;
    }
    m_inner->Resume();
}

double CCueTrack::GetPosition() {
    if (!m_inner) {
        return 0.0;
    }
    const double position = std::max(0.0, m_inner->GetPosition() - m_start);
    return m_end ? std::min(position, *m_end - m_start) : position;
}

void CCueTrack::Seek(double position) {
    if (!m_inner) {
        return;
    }
    const std::optional<double> end = KnownRangeEnd();
    const double at =
        std::max(m_start, std::min(m_start + position, end.value_or(m_start + position)));
    if (m_inner->IsPlaying()) {
        m_inner->PlayRange(at, end.value_or(at + kWholeRange));
        return;
    }
    m_inner->Seek(at);
    m_resumeAt = at;
}

void CCueTrack::SetVolume(float level) {
    if (m_inner) {
        m_inner->SetVolume(level);
    }
}

void CCueTrack::OnVideoSize(uint32_t sizeType, int width, int height) {
    if (m_inner) {
        m_inner->OnVideoSize(sizeType, width, height);
    }
}

void CCueTrack::OnVideoClose() {
    if (m_inner) {
        m_inner->OnVideoClose();
    }
}

// Passed on through this track's own notices, so the owner hears them under this track and
// may close it from inside the report.
void CCueTrack::OnTrackEnded(CMediaTrack* /*track*/) {
    m_notifyWnd.PostMessage(CMediaTrackNotifyWnd::kTrackEndedMessage);
}

void CCueTrack::OnTrackError(CMediaTrack* /*track*/, std::unique_ptr<errors::CException> error) {
    m_notifyWnd.PostError(std::move(error));
}

}  // namespace tavi::engines
