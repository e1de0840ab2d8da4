#pragma once

#include "engines/directshow/CDirectShowTrack.h"
#include "engines/pause/CPauseThread.h"

namespace tavi::engines {

// A live-input entry ("60.record"): the system's first sound input, through the user's
// effect chain, played into the shared output for the seconds the entry's name gives.
// Nothing is written to disk. Live input cannot be paused or sought: the run is timed by a
// 100-ms ticker, whose position goes on from the last start or seek.
class CRecorderTrack : public CDirectShowTrack {
public:
    static constexpr double kDefaultLength = 1.0;  // a name without a number

    ~CRecorderTrack() override;

    void Open(const QString& fileName) override;
    bool OpenAhead(const QString&) override { return false; }
    void Close() override;
    void Play() override { PlayRange(0.0, GetLength()); }
    void PlayRange(double from, double to) override;
    void Stop() override;
    void Pause() override {}
    void Resume() override {}
    bool IsPaused() override { return false; }
    double GetPosition() override { return m_watcher.GetPosition(); }
    double GetLength() override { return m_length; }
    void Seek(double position) override { m_watcher.Seek(position); }
    bool HasVideo() override { return false; }
    // Live input never crosses another track: it is heard as it comes.
    bool CanCrossfade() override { return false; }

    // The seconds an entry's name gives: its leading number; kDefaultLength otherwise.
    static double LengthFromName(const QString& fileName);
    // Replaces the ticker's clock, for tests; set before playing.
    void SetClock(CPauseThread::Clock clock) { m_watcher.SetClock(std::move(clock)); }
    // The input that was chosen at the last open.
    const QString& DeviceName() const { return m_deviceName; }

protected:
    gst::MediaPipeline::OpenResult RenderPipeline(const QString& fileName,
                                                  gst::PipelineError* error) override;
    bool MayHaveVideo() const override { return false; }

private:
    CPauseThread m_watcher;
    double m_length = kDefaultLength;
    QString m_deviceName;
};

}  // namespace tavi::engines
