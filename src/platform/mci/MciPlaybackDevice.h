#pragma once

#include "MciDevice.h"
#include "MciNotifySlot.h"

#include <mutex>
#include <optional>

namespace tavi::mci {

// The commands of a device that plays a medium in time (milliseconds): modes, play from and
// to with its one notice, seeks, pause and resume. A device supplies the running itself: a
// run plays from a position to an end on the device's worker, which reports its end with
// RunEnded. The mode and the notice change together under one lock, so a device never
// reports "playing" after its notice went out, and never reports an end it did not reach.
class MciPlaybackDevice : public MciDevice {
public:
    uint32_t Play(uint32_t flags, const MCI_PLAY_PARMS& parms) override;
    uint32_t Seek(uint32_t flags, const MCI_SEEK_PARMS& parms) override;
    uint32_t Stop() override;
    uint32_t Pause() override;
    uint32_t Resume() override;
    uint32_t Set(uint32_t flags, const MCI_SET_PARMS& parms) override;
    uint32_t Status(uint32_t flags, MCI_STATUS_PARMS* parms) override;

protected:
    virtual uint64_t LengthMs() = 0;
    virtual uint64_t PositionMs() = 0;
    // Starts playing from `from` (the current position when none) to `to` (the end when
    // none). The run's end comes later through RunEnded(run, ...).
    virtual uint32_t StartRun(std::optional<uint64_t> from, std::optional<uint64_t> to,
                              uint64_t run) = 0;
    // Ends the current run, if any, and waits for its worker; the position stays.
    virtual void HaltRun() = 0;
    // Moves the position while no run goes on; `ms` at or past the length is the end.
    virtual void MoveTo(uint64_t ms) = 0;
    // The handle of the device's wave output, for its volume.
    virtual uint32_t WaveOutputStatus(uintptr_t* /*handle*/) { return MCIERR_UNSUPPORTED_FUNCTION; }
    virtual bool IsReady() { return true; }

    // Any thread: run `run` reached its end, or failed. Ignored for a run that was halted.
    void RunEnded(uint64_t run, bool failed);

private:
    enum class Mode { Stopped, Playing, Paused };

    void Halt();
    uint32_t ModeNumber();

    std::mutex m_mutex;  // guards the three fields below, and the change of mode with the notice
    Mode m_mode = Mode::Stopped;
    uint64_t m_run = 0;               // the current run; a halted one is stale
    std::optional<uint64_t> m_runTo;  // where the current (or paused) run ends
    MciNotifySlot m_notify;
};

}  // namespace tavi::mci
