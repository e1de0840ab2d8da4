#pragma once

#include "engines/CMediaTrack.h"
#include "engines/VideoWindowHost.h"
#include "platform/gst/AudioFeed.h"
#include "platform/gst/MediaPipeline.h"

#include <atomic>
#include <optional>
#include <thread>

namespace tavi::engines {

// Plays almost every file through a GStreamer pipeline: the user's effect chain and output
// device are added, the file is rendered (prerolled), and a worker watches the pipeline's
// bus, posting the end of play and errors to the UI thread.
class CDirectShowTrack : public CMediaTrack {
public:
    enum State { Closed = 0, Stopped = 1, Paused = 2, Playing = 3 };

    CDirectShowTrack() = default;
    ~CDirectShowTrack() override;

    void Open(const QString& fileName) override;
    // Opens without the shared video window, which the playing track may be using; a file
    // with video is not opened ahead (false).
    bool OpenAhead(const QString& fileName) override;
    void Close() override;
    void Play() override;
    void PlayRange(double from, double to) override;
    void Stop() override;
    void Pause() override;
    void Resume() override { Play(); }
    bool IsStopped() override { return m_state == Stopped; }
    bool IsPaused() override { return m_state == Paused; }
    bool IsPlaying() override { return m_state == Playing; }
    double GetPosition() override;
    double GetLength() override;
    void Seek(double position) override;
    bool HasVideo() override { return m_pipeline.HasVideo(); }
    bool HasVolume() override { return m_pipeline.IsRendered(); }
    void SetVolume(float level) override;
    float GetVolume() override;
    // The shared window changed size: the picture is fitted into it again.
    void OnVideoSize(uint32_t sizeType, int width, int height) override;

    // The pipeline element, for diagnostics and measurements; null when closed.
    GstElement* GetPipelineElement() const { return m_pipeline.Pipeline(); }

    // Hundredths of a decibel (-4000..0) to linear gain and back, as volume levels map.
    static double GainForHundredthsDb(long hundredths);
    static long HundredthsDbForGain(double gain);

protected:
    // Sets the configured effect chain and the output on the pipeline; false on failure.
    virtual bool AddConfiguredFilters();
    // Loads and prerolls the file; false with *error on failure.
    virtual bool RenderFile(const QString& fileName, gst::PipelineError* error);

    gst::MediaPipeline m_pipeline;

private:
    void WatchBus();
    void StopWatcher();
    void FlushOutput();
    void ShowVideo();
    void PlaceVideo(VideoWindowHost& host);
    void FitVideo();
    void SizeWindowToVideo();

    int m_state = Closed;
    bool m_videoShown = false;  // this track's video occupies the shared window
    bool m_openingAhead = false;
    std::shared_ptr<gst::AudioFeed> m_feed;  // to the shared audio output
    uint64_t m_videoSurfaceId = 0;
    std::thread m_watcher;
    std::atomic<bool> m_quitWatcher = false;
};

// MP3 files: decoded by an explicitly chosen MP3 decoder when the system has one, else
// rendered like any other file. A file without a Xing, Info or VBRI header has no length
// for the decoder until it has played a while; until then the length is estimated from
// its frames.
class CMP3DirectShowTrack : public CDirectShowTrack {
public:
    double GetLength() override;

protected:
    bool RenderFile(const QString& fileName, gst::PipelineError* error) override;

private:
    bool m_lengthEstimated = false;           // the frames were read (since Open)
    std::optional<double> m_estimatedLength;  // what they gave
};

}  // namespace tavi::engines
