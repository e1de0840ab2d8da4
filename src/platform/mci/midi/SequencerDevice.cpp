#include "SequencerDevice.h"

#include "RmiUnwrap.h"
#include "SequencerSynths.h"
#include "platform/mci/MciCommands.h"
#include "platform/mci/wave/WaveOutputs.h"

#include <QFile>
#include <QFileInfo>

#include "FluidSynthLibrary.h"

#include <algorithm>
#include <cmath>
#include <future>
#include <vector>

namespace tavi::mci {

namespace {

// About 23 ms a write: a halt waits at most this long for the worker.
constexpr int kChunkFrames = 1024;

void ApplyVolume(std::vector<float>* sound) {
    const uint32_t volume = CurrentWaveVolume();
    if (volume == 0xFFFFFFFF) {
        return;
    }
    const float left = float(volume & 0xFFFF) / 65535.0f;
    const float right = float(volume >> 16) / 65535.0f;
    for (size_t i = 0; i + 1 < sound->size(); i += 2) {
        (*sound)[i] *= left;
        (*sound)[i + 1] *= right;
    }
}

}  // namespace

SequencerDevice::~SequencerDevice() {
    HaltRun();
    ReleaseSynth();
}

void SequencerDevice::ReleaseSynth() {
    if (m_player) {
        FluidSynth().fluid_player_stop(m_player);
        FluidSynth().delete_fluid_player(m_player);
        m_player = nullptr;
    }
    if (m_synth) {
        SequencerSynths::Instance().Give(m_synth);
        m_synth = nullptr;
    }
}

// Only regular files are read, so a FIFO cannot hold up the command.
uint32_t SequencerDevice::Open(const QString& element) {
    const QFileInfo info(element);
    if (!info.exists()) {
        return MCIERR_FILE_NOT_FOUND;
    }
    if (!info.isFile() || info.size() > kMaxFileBytes) {
        return MCIERR_INVALID_FILE;
    }
    QFile file(element);
    if (!file.open(QIODevice::ReadOnly)) {
        return MCIERR_FILE_READ;
    }
    return OpenBytes(file.readAll());
}

uint32_t SequencerDevice::OpenBytes(const QByteArray& file) {
    if (!UnwrapRmi(file, &m_midi)) {
        return MCIERR_INVALID_FILE;
    }
    uint32_t error = 0;
    std::optional<MidiFileSummary> summary = MidiFileScan::Scan(m_midi, &error);
    if (!summary) {
        return error;
    }
    m_summary = std::move(*summary);
    m_lengthFrames = int64_t(std::llround(m_summary.lengthMs * WaveOutput::kRate / 1000.0));
    // The first synthesiser loads its SoundFont, the slow part of a first open: on a worker,
    // while the output starts here (the output is started on this thread).
    uint32_t synthError = 0;
    auto synth = std::async(std::launch::async, [&synthError] {
        return SequencerSynths::Instance().Take(&synthError);
    });
    QString outputError;
    m_output = AcquireWaveOutput(&outputError);
    m_synth = synth.get();
    if (!m_synth) {
        m_output.reset();
        return synthError;
    }
    return m_output ? 0 : MCIERR_HARDWARE;
}

uint64_t SequencerDevice::LengthMs() {
    return uint64_t(std::llround(m_summary.lengthMs));
}

uint64_t SequencerDevice::PositionMs() {
    return uint64_t(m_frame.load() * 1000 / WaveOutput::kRate);
}

int64_t SequencerDevice::FrameAt(uint64_t ms) const {
    return std::min(m_lengthFrames, int64_t(ms) * WaveOutput::kRate / 1000);
}

// A new player for each new place: FluidSynth's player seeks only by ticks and applies the
// seek on its next turn, so it is made afresh, told the tick, and started.
uint32_t SequencerDevice::StartPlayerAt(int64_t frame) {
    if (m_player) {
        FluidSynth().fluid_player_stop(m_player);
        FluidSynth().delete_fluid_player(m_player);
    }
    FluidSynth().fluid_synth_system_reset(m_synth);
    m_player = FluidSynth().new_fluid_player(m_synth);
    if (!m_player || FluidSynth().fluid_player_add_mem(m_player, m_midi.constData(),
                                                       size_t(m_midi.size())) != FLUID_OK) {
        return MCIERR_OUT_OF_MEMORY;
    }
    const uint64_t tick = m_summary.tempo.TickAt(double(frame) * 1000.0 / WaveOutput::kRate);
    if (tick > 0) {
        FluidSynth().fluid_player_seek(m_player, int(std::min<uint64_t>(tick, m_summary.lastTick)));
    }
    if (FluidSynth().fluid_player_play(m_player) != FLUID_OK) {
        return MCIERR_INTERNAL;
    }
    m_playerFrame = frame;
    return 0;
}

uint32_t SequencerDevice::StartRun(std::optional<uint64_t> from, std::optional<uint64_t> to,
                                   uint64_t run) {
    HaltRun();
    if (from) {
        m_frame = FrameAt(*from);
    }
    if (m_frame != m_playerFrame) {
        if (const uint32_t error = StartPlayerAt(m_frame); error != 0) {
            return error;
        }
    }
    const int64_t end = to ? FrameAt(*to) : m_lengthFrames;
    StartRendering(end, run);
    return 0;
}

// The worker: renders and writes until the end of the run or a halt; an output that fails
// ends the run as a failure.
void SequencerDevice::Render(int64_t endFrame, uint64_t run) {
    std::vector<float> sound;
    while (!m_halt && m_frame < endFrame) {
        const int frames = int(std::min<int64_t>(kChunkFrames, endFrame - m_frame));
        sound.assign(size_t(frames) * WaveOutput::kChannels, 0.0f);
        if (FluidSynth().fluid_synth_write_float(m_synth, frames, sound.data(), 0, 2, sound.data(),
                                                 1, 2) != FLUID_OK) {
            RunEnded(run, true);
            return;
        }
        ApplyVolume(&sound);
        if (!m_output->Write(sound.data(), size_t(frames))) {
            RunEnded(run, true);
            return;
        }
        m_frame += frames;
        m_playerFrame = m_frame;
    }
    if (!m_halt) {
        RunEnded(run, false);
    }
}

}  // namespace tavi::mci
