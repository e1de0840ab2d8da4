#pragma once

#include "CMCI.h"
#include "engines/CMediaTrack.h"

namespace tavi::engines {

// A file played by a media-control device, and the base of the CD and MIDI engines. The
// mode is always asked of the device, never kept. The device reports the end of play to
// the track's notify window; a play replaced by another one is reported superseded and
// ignored, a stopped one aborted.
class CMCITrack : public CMediaTrack {
public:
    CMCITrack();
    ~CMCITrack() override;

    void Open(const QString& fileName) override;
    void Close() override;
    // The device is opened at once; it plays nothing until Play.
    bool OpenAhead(const QString& fileName) override;
    void Play() override;
    void PlayRange(double from, double to) override;
    void Stop() override;
    void Pause() override;
    void Resume() override;
    bool IsStopped() override;
    bool IsPaused() override;
    bool IsPlaying() override;
    double GetPosition() override;
    double GetLength() override;
    void Seek(double position) override;
    bool HasVolume() override { return m_volumeAvailable; }
    const CMCI& GetDevice() const { return m_device; }
    // After Open: the device's completion notices go to callback, on the device's thread,
    // instead of to the owner (for a caller that wants every code, not only the end).
    void RedirectNotices(mci::NotifyCallback callback) {
        m_device.SetCallbackWindow(std::move(callback));
    }
    // Level 1.0 is the volume found at Open. Never throws.
    void SetVolume(float level) override;
    // At most 1.0; 0.0 when the device cannot say.
    float GetVolume() override;

protected:
    // The handle of the device's wave output (MCI_STATUS item 0x00800000).
    uintptr_t WaveOutputHandle();

    CMCI m_device;
    bool m_volumeAvailable = false;
    bool m_volumeChanged = false;  // Close restores the initial volume when set
    uint32_t m_initialVolume = 0;  // the left word at Open: what level 1.0 stands for

private:
    void ShowWindow(const QString& fileName);
    void ProbeVolume();
};

}  // namespace tavi::engines
