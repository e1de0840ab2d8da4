#include "MiniPlaylistMeasure.h"

#include "MiniPlaylistEntries.h"
#include "engines/TrackFactory.h"
#include "engines/directshow/CDirectShowTrack.h"
#include "platform/process/CommandEntry.h"

#include <QDeadlineTimer>

#include <deque>
#include <optional>

namespace tavi::engines {

namespace {

constexpr size_t kOpensAtOnce = 4;
constexpr std::chrono::milliseconds kMeasureBudget{5000};

// Opens hand their work to their threads and return at once while the measurement runs.
class NoOpenWait {
public:
    NoOpenWait() : m_before(CDirectShowTrack::OpenWait()) {
        CDirectShowTrack::SetOpenWait(std::chrono::milliseconds(0));
    }
    ~NoOpenWait() { CDirectShowTrack::SetOpenWait(m_before); }
    NoOpenWait(const NoOpenWait&) = delete;
    NoOpenWait& operator=(const NoOpenWait&) = delete;
    std::chrono::milliseconds Before() const { return m_before; }

private:
    std::chrono::milliseconds m_before;
};

struct Opening {
    size_t index;
    std::unique_ptr<CMediaTrack> track;
};

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

std::vector<std::optional<double>> FileLengths(const QStringList& files,
                                               CMediaTrackCallback* callback) {
    std::vector<std::optional<double>> lengths(size_t(files.size()));
    const NoOpenWait noWait;
    // Tests that wait for every open are given as long for the list.
    const QDeadlineTimer deadline(std::max(kMeasureBudget, noWait.Before()));
    std::deque<Opening> opening;
    const auto finishOldest = [&] {
        Opening& oldest = opening.front();
        oldest.track->WaitForOpen(std::chrono::milliseconds(deadline.remainingTime()));
        try {
            lengths[oldest.index] = oldest.track->GetLength();
        } catch (const errors::CException&) {
            // Shown when the file's turn comes to play.
        }
        oldest.track->Close();
        opening.pop_front();
    };
    for (qsizetype i = 0; i < files.size(); ++i) {
        if (process::IsCommandEntry(files.at(i))) {
            continue;  // opening a program as media would only fail
        }
        std::unique_ptr<CMediaTrack> track = CreateTrackForFile(files.at(i), callback);
        try {
            track->Open(files.at(i));
        } catch (const errors::CException&) {
            continue;
        }
        opening.push_back({size_t(i), std::move(track)});
        if (opening.size() >= kOpensAtOnce) {
            finishOldest();
        }
    }
    while (!opening.empty()) {
        finishOldest();
    }
    return lengths;
}

}  // namespace

std::vector<CMiniPlaylistItem> MeasureMiniPlaylist(const QStringList& files,
                                                   CMediaTrackCallback* callback) {
    const std::vector<std::optional<double>> lengths = FileLengths(files, callback);
    std::vector<CMiniPlaylistItem> items;
    double total = 0.0;
    for (qsizetype i = 0; i < files.size(); ++i) {
        CMiniPlaylistItem& item = items.emplace_back();
        item.fileName = files.at(i);
        item.start = item.end = total;
        const std::optional<double> length = lengths[size_t(i)];
        if (!length || *length < 0.0) {
            continue;
        }
        total += *length - OverlapOf(item.fileName, i == files.size() - 1, *length);
        item.length = *length;
        item.end = total;
        item.unmeasured = false;
    }
    return items;
}

}  // namespace tavi::engines
