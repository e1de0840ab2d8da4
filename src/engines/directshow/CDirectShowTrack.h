#pragma once

#include "engines/CMediaTrack.h"
#include "engines/VideoWindowHost.h"
#include "platform/gst/AudioFeed.h"
#include "platform/gst/MediaPipeline.h"

#include <atomic>
#include <chrono>
#include <optional>
#include <thread>

namespace tavi::engines {

// Plays almost every file through a GStreamer pipeline: the user's effect chain and output
// device are added, the file is rendered (prerolled), and a worker watches the pipeline's
// bus, posting the end of play and errors to the UI thread.
//
// Open waits for the preroll only for OpenWait(); a file that takes longer (a slow mount, a
// FIFO) goes on opening in the background. Meanwhile the commands are remembered and
// applied once it is ready, the length is unknown and the position is where it will start;
// a failure then reaches the owner as OnTrackError.
class CDirectShowTrack : public CMediaTrack {
public:
    enum State { Closed = 0, Stopped = 1, Paused = 2, Playing = 3 };
    // Long enough for a local file to preroll (a few ms), short enough not to be felt.
    static constexpr std::chrono::milliseconds kDefaultOpenWait{30};

    CDirectShowTrack() = default;
    ~CDirectShowTrack() override;

    void Open(const QString& fileName) override;
    // Opens without the shared video window, which the playing track may be using; a file
    // with video is not opened ahead (false).
    bool OpenAhead(const QString& fileName) override;
    bool IsUsableAhead() override { return m_usableAhead; }
    void OnOpenEnded() override;
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
    bool HasVolume() override { return m_pipeline.IsRendered() || m_pipeline.IsOpening(); }
    void SetVolume(float level) override;
    float GetVolume() override;
    void SetGain(float gain) override;
    bool CanCrossfade() override;
    void CrossfadeIn(double seconds, std::optional<uint64_t> startFrame) override;
    void CrossfadeOut(std::optional<double> from, double seconds) override;
    std::optional<uint64_t> OutputFrameAt(double seconds) override;
    // The shared window changed size: the picture is fitted into it again.
    void OnVideoSize(uint32_t sizeType, int width, int height) override;

    // The pipeline element, for diagnostics and measurements; null when closed or opening.
    GstElement* GetPipelineElement() const { return m_pipeline.Pipeline(); }
    // True while the open goes on in the background.
    bool IsOpening() const override { return m_pipeline.IsOpening(); }
    void WaitForOpen(std::chrono::milliseconds wait) override;

    // How long Open waits for the preroll, for every track from now on (tests that need a
    // finished open at once set a long wait).
    static std::chrono::milliseconds OpenWait();
    static void SetOpenWait(std::chrono::milliseconds wait);

    // Hundredths of a decibel (-4000..0) to linear gain and back, as volume levels map.
    static double GainForHundredthsDb(long hundredths);
    static long HundredthsDbForGain(double gain);

protected:
    // Sets the configured effect chain and the output on the pipeline; false on failure.
    virtual bool AddConfiguredFilters();
    // The decoders of an explicit chain to try before playbin; empty: playbin only. WAV
    // files are parsed directly, which opens them several times faster than playbin.
    virtual QStringList DecoderChain() const;
    // Builds the pipeline for the entry, once the filters and the output are set on it.
    virtual gst::MediaPipeline::OpenResult RenderPipeline(const QString& fileName,
                                                          gst::PipelineError* error);
    // Whether the entry may have pictures for the shared video window: a sound-only file
    // neither creates the window nor gets a video sink.
    virtual bool MayHaveVideo() const;

    gst::MediaPipeline m_pipeline;
    std::shared_ptr<gst::AudioFeed> m_feed;  // to the shared audio output
    int m_state = Closed;

private:
    void StartUsing(VideoWindowHost* videoHost);
    void HoldQueuedSound(bool held);
    void ApplyRequestedCommands();
    void StartWatcher();
    void WatchBus();
    void StopWatcher();
    void ShowVideo();
    void PlaceVideo(VideoWindowHost& host);
    void FitVideo();
    void SizeWindowToVideo();

    float m_gain = 1.0f;        // given to each feed the track makes
    bool m_videoShown = false;  // this track's video occupies the shared window
    bool m_openingAhead = false;
    bool m_openedAhead = false;  // this open was without the video window
    bool m_usableAhead = true;
    // Asked for while the open goes on: where to start and where to end the run.
    std::optional<double> m_requestedStart;
    std::optional<double> m_requestedStop;
    uint64_t m_videoSurfaceId = 0;
    std::thread m_watcher;
    std::atomic<bool> m_quitWatcher = false;
    gst::BusPtr m_watchedBus;  // the watcher's; set and reset around its thread
};

// MP3 files: decoded by an explicitly chosen MP3 decoder when the system has one, else
// rendered like any other file. A file without a Xing, Info or VBRI header has no length
// for the decoder until it has played a while; until then the length is estimated from
// its frames.
class CMP3DirectShowTrack : public CDirectShowTrack {
public:
    void Open(const QString& fileName) override;
    double GetLength() override;

protected:
    QStringList DecoderChain() const override;

private:
    bool m_lengthEstimated = false;           // the frames were read (since Open)
    std::optional<double> m_estimatedLength;  // what they gave
};

}  // namespace tavi::engines
