#pragma once

#include "engines/CMediaTrackCallback.h"

#include <QCoreApplication>

#include <cstdio>

namespace tavi::bench {

// The owner of a bench tool's track: the tool's event loop ends with the track, exit code 1
// (the message on stderr) when it failed.
struct QuitAtEnd : engines::CMediaTrackCallback {
    void OnTrackEnded(engines::CMediaTrack*) override { QCoreApplication::exit(0); }
    void OnTrackError(engines::CMediaTrack*, std::unique_ptr<errors::CException> error) override {
        std::fprintf(stderr, "%s\n", qPrintable(error->GetErrorMessage()));
        QCoreApplication::exit(1);
    }
};

}  // namespace tavi::bench
