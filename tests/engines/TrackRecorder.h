#pragma once

#include "engines/CMediaTrack.h"
#include "engines/CMediaTrackCallback.h"

#include <QElapsedTimer>

#include <vector>

namespace tavi::test {

// A track owner that records what its tracks report, with the time since start().
struct TrackRecorder : engines::CMediaTrackCallback {
    struct Report {
        engines::CMediaTrack* track;
        bool ended;
        QString message;
        qint64 atMs;
    };

    void OnTrackEnded(engines::CMediaTrack* track) override {
        reports.push_back({track, true, {}, clock.elapsed()});
    }
    void OnTrackError(engines::CMediaTrack* track,
                      std::unique_ptr<errors::CException> error) override {
        reports.push_back({track, false, error->GetErrorMessage(), clock.elapsed()});
    }
    void start() { clock.start(); }

    QElapsedTimer clock;
    std::vector<Report> reports;
};

}  // namespace tavi::test
