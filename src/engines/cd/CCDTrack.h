#pragma once

#include "engines/mci/CMCITrack.h"
#include "platform/mixer/CMixer.h"

namespace tavi::engines {

// One track of an audio CD ("/dev/sr0/Track05.cda") on the cdaudio device: times are the
// track's own, translated to disc times; the device is resumed by playing again, so the
// engine keeps the paused flag. The volume is the mixer's "CD" line when it has one.
class CCDTrack : public CMCITrack {
public:
    CCDTrack() = default;
    ~CCDTrack() override;

    void Open(const QString& fileName) override;
    void Close() override;
    bool OpenAhead(const QString&) override { return false; }
    void Play() override;
    void PlayRange(double from, double to) override;
    void Pause() override;
    void Resume() override;
    bool IsPaused() override { return m_paused; }
    double GetPosition() override;
    double GetLength() override { return m_length; }
    void Seek(double position) override;
    void SetVolume(float level) override;
    float GetVolume() override;

    int TrackNumber() const { return m_trackNumber; }
    double TrackStart() const { return m_trackStart; }

    // The 1-based track number of an entry: the last two characters of its base name, 1
    // when they are not a number.
    static int TrackNumberOf(const QString& fileName);
    // The drive an entry names: the path before its last "/".
    static QString DriveOf(const QString& fileName);

private:
    uint32_t QueryTrackItem(uint32_t item);
    void ProbeCdLine();
    uint32_t ReadCdLine();

    int m_trackNumber = 1;
    double m_trackStart = 0.0;  // seconds from the start of the disc
    mixer::CMixer m_mixer;
    uint32_t m_volumeControl = 0;
    bool m_paused = false;
};

}  // namespace tavi::engines
