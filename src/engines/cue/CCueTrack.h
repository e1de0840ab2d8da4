#pragma once

#include "engines/CMediaTrack.h"
#include "engines/CMediaTrackCallback.h"

#include <memory>
#include <optional>

namespace tavi::engines {

// A track of a CUE sheet ("….cue/Track03.cuetrack"): a range of the sheet's audio file,
// played by whatever engine the factory picks for that file. Its length is the range's,
// positions count from the range's start, seeks stay inside it, and it ends at the range's
// end (the next track's start, or the file's end). The inner track reports to this one,
// which passes its end and errors on to the owner under its own name.
class CCueTrack : public CMediaTrack, private CMediaTrackCallback {
public:
    CCueTrack() = default;
    ~CCueTrack() override;

    void Open(const QString& fileName) override;
    bool OpenAhead(const QString& fileName) override;
    bool IsUsableAhead() override { return m_inner && m_inner->IsUsableAhead(); }
    bool IsOpening() const override { return m_inner && m_inner->IsOpening(); }
    void WaitForOpen(std::chrono::milliseconds wait) override;
    void Close() override;
    void Play() override;
    void PlayRange(double from, double to) override;
    void Stop() override;
    void Pause() override;
    void Resume() override;
    bool IsStopped() override { return m_inner && m_inner->IsStopped(); }
    bool IsPaused() override { return m_inner && m_inner->IsPaused(); }
    bool IsPlaying() override { return m_inner && m_inner->IsPlaying(); }
    double GetPosition() override;
    double GetLength() override;
    void Seek(double position) override;
    bool HasVideo() override { return m_inner && m_inner->HasVideo(); }
    bool HasVolume() override { return m_inner && m_inner->HasVolume(); }
    void SetVolume(float level) override;
    float GetVolume() override { return m_inner ? m_inner->GetVolume() : 0.0f; }
    void OnVideoSize(uint32_t sizeType, int width, int height) override;
    void OnVideoClose() override;

    // The file the range lies in and where it starts, once opened.
    const QString& InnerFile() const { return m_innerFile; }
    double RangeStart() const { return m_start; }

private:
    // Reads the sheet and makes the inner track for its file, unopened.
    void Prepare(const QString& fileName);
    // The range's end in the file's time: the next track's start, else the file's length
    // (throws while that is unknown).
    double RangeEnd();
    std::optional<double> KnownRangeEnd();
    void CheckRange();
    void OnTrackEnded(CMediaTrack* track) override;
    void OnTrackError(CMediaTrack* track, std::unique_ptr<errors::CException> error) override;

    std::unique_ptr<CMediaTrack> m_inner;
    QString m_sheetPath;  // the container the entry names
    int m_number = 0;
    QString m_innerFile;
    double m_start = 0.0;
    std::optional<double> m_end;
    // A seek while paused or stopped: where Resume starts the range again.
    std::optional<double> m_resumeAt;
};

}  // namespace tavi::engines
