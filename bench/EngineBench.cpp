// From asking for a track to the first buffer of sound reaching the output while playing.
#include "engines/CMediaTrackCallback.h"
#include "engines/TrackFactory.h"
#include "engines/directshow/CDirectShowTrack.h"
#include "support/QtApp.h"
#include "support/TestMedia.h"

#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <vector>

namespace {

struct IgnoreReports : tavi::engines::CMediaTrackCallback {
    void OnTrackEnded(tavi::engines::CMediaTrack*) override {}
    void OnTrackError(tavi::engines::CMediaTrack*,
                      std::unique_ptr<tavi::errors::CException>) override {}
};

void OnRendered(GstElement*, GstBuffer*, GstPad*, gpointer flag) {
    static_cast<std::atomic<bool>*>(flag)->store(true);
}

}  // namespace

static void counters_open_to_play(benchmark::State& state) {
    qputenv("TAVI_AUDIO_OUTPUT", "null");
    tavi::test::coreApplication();
    QTemporaryDir dir;
    const QString song = dir.filePath(QStringLiteral("song.mp3"));
    if (!tavi::test::MakeMp3(song, 5.0)) {
        state.SkipWithError("cannot make the test file");
        return;
    }
    // The measurement needs the pipeline right after Open: a slow iteration on a busy
    // machine is waited for rather than left to open in the background.
    tavi::engines::CDirectShowTrack::SetOpenWait(std::chrono::minutes(1));
    IgnoreReports owner;
    std::vector<double> times;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        auto track = tavi::engines::CreateTrackForFile(song, &owner);
        track->Open(song);
        auto* media = static_cast<tavi::engines::CDirectShowTrack*>(track.get());
        // The track's feed into the shared output: its hand-off is the first sound queued.
        GstElement* sink = gst_bin_get_by_name(GST_BIN(media->GetPipelineElement()), "tavi-feed");
        if (!sink) {
            state.SkipWithError("the track has no feed into the shared output");
            return;
        }
        std::atomic<bool> rendered = false;
        g_object_set(sink, "signal-handoffs", TRUE, nullptr);
        g_signal_connect(sink, "handoff", G_CALLBACK(OnRendered), &rendered);
        track->Play();
        QElapsedTimer limit;
        limit.start();
        while (!rendered && limit.elapsed() < 10000) {
            QThread::usleep(100);
        }
        if (!rendered) {
            state.SkipWithError("no sound reached the output within 10 s");
            gst_object_unref(sink);
            return;
        }
        times.push_back(clock.nsecsElapsed() / 1e6);
        gst_object_unref(sink);
        track->Close();
    }
    std::sort(times.begin(), times.end());
    state.counters["open_to_play_ms:ms"] = times[times.size() / 2];
}
BENCHMARK(counters_open_to_play)->Iterations(31);
