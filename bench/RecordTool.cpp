// Live-input entries as record_ms.sh measures them, on a private sound server whose only
// input is a pipe source and whose default output is a null sink.
//   tavi_record --latency FIFO MONITOR   writes silence with five tone bursts into the pipe
//       source's FIFO while a "20.record" entry plays, listens to the null sink's monitor and
//       prints the median milliseconds from a burst written to it heard there
//   tavi_record --end                    plays "2.record" three times and prints the largest
//       |time from Play to the end report - 2000| in milliseconds
#include "QuitAtEnd.h"
#include "engines/CMediaTrackCallback.h"
#include "engines/recorder/CRecorderTrack.h"
#include "platform/gst/GstSupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRate = 44100;
constexpr int kBursts = 5;
constexpr short kThreshold = 3000;

using tavi::bench::QuitAtEnd;

// The times bursts were written and heard; the writer and the monitor's streaming thread
// add to them under the mutex.
struct Onsets {
    std::mutex mutex;
    std::vector<Clock::time_point> written;
    std::vector<Clock::time_point> heard;
};

// 10-ms pieces at the pace they are heard: 1 s of silence, then a 200-ms 440-Hz burst every
// 1.2 s.
void WriteBursts(const char* fifo, Onsets* onsets, const std::atomic<bool>* quit) {
    const int fd = ::open(fifo, O_RDWR | O_NONBLOCK);
    if (fd < 0) {
        return;
    }
    std::vector<short> piece(size_t(kRate / 100) * 2);
    auto next = Clock::now();
    for (int tick = 0; !*quit; ++tick) {
        const int inCycle = (tick - 100) % 120;
        const bool tone = tick >= 100 && inCycle < 20 && (tick - 100) / 120 < kBursts;
        for (size_t i = 0; i < piece.size() / 2; ++i) {
            const double phase = 2.0 * M_PI * 440.0 * double(tick * 441 + int(i)) / kRate;
            piece[2 * i] = piece[2 * i + 1] = tone ? short(12000 * std::sin(phase)) : 0;
        }
        if (tone && inCycle == 0) {
            std::lock_guard lock(onsets->mutex);
            onsets->written.push_back(Clock::now());
        }
        if (::write(fd, piece.data(), piece.size() * sizeof(short)) < 0 && errno != EAGAIN) {
            break;
        }
        next += std::chrono::milliseconds(10);
        std::this_thread::sleep_until(next);
    }
    ::close(fd);
}

// Runs on the monitor's streaming thread: the first loud sample after 100 ms of quiet is
// an onset, heard at the buffer's arrival less the frames after it.
GstFlowReturn OnMonitorSample(GstElement* sink, gpointer data) {
    static int quietFrames = kRate;
    auto* onsets = static_cast<Onsets*>(data);
    GstSample* sample = nullptr;
    g_signal_emit_by_name(sink, "pull-sample", &sample);
    const auto arrived = Clock::now();
    GstMapInfo map;
    GstBuffer* buffer = gst_sample_get_buffer(sample);
    if (gst_buffer_map(buffer, &map, GST_MAP_READ)) {
        const auto* samples = reinterpret_cast<const short*>(map.data);
        const size_t frames = map.size / 4;
        for (size_t i = 0; i < frames; ++i) {
            if (std::abs(samples[2 * i]) < kThreshold) {
                ++quietFrames;
                continue;
            }
            if (quietFrames >= kRate / 10) {
                const auto after = std::chrono::microseconds((frames - i) * 1'000'000 / kRate);
                std::lock_guard lock(onsets->mutex);
                onsets->heard.push_back(arrived - after);
            }
            quietFrames = 0;
        }
        gst_buffer_unmap(buffer, &map);
    }
    gst_sample_unref(sample);
    return GST_FLOW_OK;
}

int MeasureLatency(const char* fifo, const char* monitor) {
    Onsets onsets;
    const QByteArray description =
        QByteArray("pulsesrc device=") + monitor +
        " buffer-time=20000 latency-time=5000 ! audio/x-raw,format=S16LE,rate=44100,channels=2"
        " ! appsink name=heard emit-signals=true sync=false";
    GError* error = nullptr;
    GstElement* listener = gst_parse_launch(description.constData(), &error);
    if (!listener) {
        std::fprintf(stderr, "%s\n", error ? error->message : "no listener");
        return 1;
    }
    GstElement* sink = gst_bin_get_by_name(GST_BIN(listener), "heard");
    g_signal_connect(sink, "new-sample", G_CALLBACK(OnMonitorSample), &onsets);
    gst_object_unref(sink);
    gst_element_set_state(listener, GST_STATE_PLAYING);

    QuitAtEnd owner;
    tavi::engines::CRecorderTrack track;
    track.SetCallback(&owner);
    track.Open(QStringLiteral("20.record"));
    track.Play();
    std::atomic<bool> quit = false;
    std::thread writer(WriteBursts, fifo, &onsets, &quit);
    QTimer::singleShot(1000 + kBursts * 1200 + 500, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
    quit = true;
    writer.join();
    track.Close();
    gst_element_set_state(listener, GST_STATE_NULL);
    gst_object_unref(listener);

    std::lock_guard lock(onsets.mutex);
    std::vector<double> latencies;
    for (const auto written : onsets.written) {
        const auto heard = std::find_if(onsets.heard.begin(), onsets.heard.end(),
                                        [&](auto at) { return at > written; });
        if (heard != onsets.heard.end()) {
            latencies.push_back(
                std::chrono::duration<double, std::milli>(*heard - written).count());
        }
    }
    if (latencies.size() < size_t(kBursts)) {
        std::fprintf(stderr, "heard %zu of %d bursts\n", latencies.size(), kBursts);
        return 1;
    }
    std::sort(latencies.begin(), latencies.end());
    std::printf("%.1f\n", latencies[latencies.size() / 2]);
    return 0;
}

int MeasureEnd() {
    double worst = 0;
    for (int run = 0; run < 3; ++run) {
        QuitAtEnd owner;
        tavi::engines::CRecorderTrack track;
        track.SetCallback(&owner);
        track.Open(QStringLiteral("2.record"));
        QElapsedTimer timer;
        timer.start();
        track.Play();
        if (QCoreApplication::exec() != 0) {
            return 1;
        }
        worst = std::max(worst, std::fabs(double(timer.nsecsElapsed()) / 1e6 - 2000.0));
        track.Close();
    }
    std::printf("%.1f\n", worst);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    tavi::gst::EnsureInitialized();
    try {
        if (argc == 4 && std::string_view(argv[1]) == "--latency") {
            return MeasureLatency(argv[2], argv[3]);
        }
        if (argc == 2 && std::string_view(argv[1]) == "--end") {
            return MeasureEnd();
        }
    } catch (const tavi::errors::CException& error) {
        std::fprintf(stderr, "%s\n", qPrintable(error.GetErrorMessage()));
        return 1;
    }
    std::fprintf(stderr, "usage: tavi_record --latency FIFO MONITOR | --end\n");
    return 2;
}
