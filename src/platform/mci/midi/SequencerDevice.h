#pragma once

#include "MidiFileScan.h"
#include "platform/mci/RenderingDevice.h"
#include "platform/mci/wave/WaveOutput.h"

#include <atomic>
#include <memory>
#include <thread>

typedef struct _fluid_synth_t fluid_synth_t;
typedef struct _fluid_player_t fluid_player_t;

namespace tavi::mci {

// The "sequencer" device: a MIDI file (".rmi" unwrapped) played by FluidSynth's player on a
// synthesiser of SequencerSynths, rendered on a worker into the wave output that the wave
// device uses too, so MIDI and other tracks take turns on one stream. Positions count the
// frames rendered; the length comes from the file's tempo map.
class SequencerDevice : public RenderingDevice {
public:
    // Larger files are no MIDI music; they are refused before they are read.
    static constexpr qint64 kMaxFileBytes = 64 * 1024 * 1024;

    SequencerDevice() = default;
    ~SequencerDevice() override;

    uint32_t Open(const QString& element) override;
    // Open from bytes already read (the fuzz target's way in).
    uint32_t OpenBytes(const QByteArray& file);
    const MidiFileSummary& Summary() const { return m_summary; }

protected:
    uint64_t LengthMs() override;
    uint64_t PositionMs() override;
    uint32_t StartRun(std::optional<uint64_t> from, std::optional<uint64_t> to,
                      uint64_t run) override;

private:
    int64_t FrameAt(uint64_t ms) const override;
    uint32_t StartPlayerAt(int64_t frame);
    void Render(int64_t endFrame, uint64_t run) override;
    void ReleaseSynth();

    QByteArray m_midi;  // the Standard MIDI File the player reads
    MidiFileSummary m_summary;
    int64_t m_lengthFrames = 0;
    fluid_synth_t* m_synth = nullptr;
    fluid_player_t* m_player = nullptr;
    int64_t m_playerFrame = -1;  // where the player stands; -1 before it first started
};

}  // namespace tavi::mci
