// Plays files one after the other, each opened while the one before plays, and exits at the
// end: what mci_ms.sh measures. WAV files play through the media-control engine (CMCITrack),
// everything else through GStreamer (the track factory), so the two take turns on one output.
//   tavi_mci_play FILE...        plays the files
//   tavi_mci_play --open FILE    prints the median milliseconds of 20 opens to the first
//                                sound queued
#include "engines/CMediaTrackCallback.h"
#include "engines/TrackFactory.h"
#include "engines/mci/CMCITrack.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

using tavi::engines::CMediaTrack;

std::unique_ptr<CMediaTrack> TrackFor(const QString& path,
                                      tavi::engines::CMediaTrackCallback* owner) {
    if (tavi::engines::UpperExtension(path) == QLatin1String(".WAV")) {
        auto track = std::make_unique<tavi::engines::CMCITrack>();
        track->SetCallback(owner);
        return track;
    }
    return tavi::engines::CreateTrackForFile(path, owner);
}

class Sequence : public tavi::engines::CMediaTrackCallback {
public:
    explicit Sequence(QStringList files) : m_files(std::move(files)) {}

    void Start() {
        m_current = TrackFor(m_files[0], this);
        m_current->Open(m_files[0]);
        m_current->Play();
        PrepareNext();
    }
    void OnTrackEnded(CMediaTrack*) override {
        ++m_played;
        std::unique_ptr<CMediaTrack> ended = std::move(m_current);
        m_current = std::move(m_next);
        if (m_current) {
            m_current->Play();
        }
        ended->Close();
        if (!m_current) {
            QTimer::singleShot(300, [] { QCoreApplication::exit(0); });
            return;
        }
        PrepareNext();
    }
    void OnTrackError(CMediaTrack*, std::unique_ptr<tavi::errors::CException> error) override {
        std::fprintf(stderr, "error: %s\n", qPrintable(error->GetErrorMessage()));
        QCoreApplication::exit(1);
    }
    int Played() const { return m_played; }

private:
    void PrepareNext() {
        const int index = m_played + 1;
        if (index < m_files.size()) {
            m_next = TrackFor(m_files[index], this);
            m_next->OpenAhead(m_files[index]);
        }
    }

    QStringList m_files;
    std::unique_ptr<CMediaTrack> m_current;
    std::unique_ptr<CMediaTrack> m_next;
    int m_played = 0;
};

// From the start of Open to the first sound written to the output (the position moves).
double OpenToFirstSoundMs(const QString& path) {
    std::vector<double> times;
    for (int i = 0; i < 20; ++i) {
        tavi::engines::CMCITrack track;
        QElapsedTimer timer;
        timer.start();
        track.Open(path);
        track.Play();
        while (track.GetPosition() <= 0.0 && timer.elapsed() < 5000) {
        }
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
        track.Close();
    }
    std::sort(times.begin(), times.end());
    return (times[9] + times[10]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() == 2 && args[0] == QLatin1String("--open")) {
        std::printf("%.2f\n", OpenToFirstSoundMs(args[1]));
        return 0;
    }
    if (args.isEmpty()) {
        std::fprintf(stderr, "usage: tavi_mci_play [--open] FILE...\n");
        return 2;
    }
    Sequence sequence(args);
    QTimer::singleShot(0, [&] { sequence.Start(); });
    const int result = QCoreApplication::exec();
    std::fprintf(stderr, "played %d tracks\n", sequence.Played());
    return result == 0 && sequence.Played() == args.size() ? 0 : 1;
}
