#pragma once

#include "engines/CMediaTrack.h"
#include "engines/CMediaTrackCallback.h"

#include <vector>

namespace tavi::test {

// A track owner that records what its tracks report, in order.
struct TrackRecorder : engines::CMediaTrackCallback {
    struct Report {
        engines::CMediaTrack* track;
        bool ended;
        QString message;
    };

    void OnTrackEnded(engines::CMediaTrack* track) override {
        reports.push_back({track, true, {}});
    }
    void OnTrackError(engines::CMediaTrack* track,
                      std::unique_ptr<errors::CException> error) override {
        reports.push_back({track, false, error->GetErrorMessage()});
    }

    std::vector<Report> reports;
};

}  // namespace tavi::test
