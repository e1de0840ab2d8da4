#pragma once

#include "CdSectorReader.h"
#include "CdToc.h"
#include "platform/mci/RenderingDevice.h"
#include "platform/mci/wave/WaveOutput.h"

#include <QByteArray>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

namespace tavi::mci {

// The "cdaudio" device: a CD drive (or a disc image libcdio reads, such as a .cue sheet)
// whose audio is read digitally with paranoia on a worker and written into the wave output
// the other devices use, so CD tracks and files take turns on one stream. Times are disc
// milliseconds from the start of the program area; the element is the drive, the default
// drive when empty. A drive without a readable disc opens, but plays nothing and has no
// tracks (MCIERR_DEVICE_NOT_READY). Only the program's CD drives open (a playlist's entry
// may name any path). A read that fails or sticks fails the run; a stop never waits for it.
class CdAudioDevice : public RenderingDevice {
public:
    CdAudioDevice() = default;
    ~CdAudioDevice() override;

    uint32_t Open(const QString& element) override;
    uint32_t Set(uint32_t flags, const MCI_SET_PARMS& parms) override;
    uint32_t Status(uint32_t flags, MCI_STATUS_PARMS* parms) override;

protected:
    uint64_t LengthMs() override;
    uint64_t PositionMs() override;
    uint32_t StartRun(std::optional<uint64_t> from, std::optional<uint64_t> to,
                      uint64_t run) override;
    bool IsReady() override { return m_toc.has_value(); }

private:
    bool OpenReader();
    uint32_t TrackStatus(uint32_t flags, MCI_STATUS_PARMS* parms);
    uint32_t MoveDoor(bool open);
    void ReleaseDisc();
    int64_t FrameAt(uint64_t ms) const override;
    int64_t EndFrame() const;
    void Render(int64_t endFrame, uint64_t run) override;
    bool WriteSector(const int16_t* sector, int64_t sectorFrame, int64_t endFrame,
                     std::vector<float>* sound);

    QByteArray m_drive;  // the path libcdio opened
    std::optional<CdToc> m_toc;
    // Used by the worker while a run goes on, by the command thread otherwise; a reader that
    // failed is replaced at the next play.
    std::shared_ptr<CdSectorReader> m_reader;
};

}  // namespace tavi::mci
