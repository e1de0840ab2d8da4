#include "WaveAudioDevice.h"

#include "WaveOutputs.h"
#include "platform/mci/MciCommands.h"

#include <algorithm>

namespace tavi::mci {

namespace {

// About 23 ms a write: a halt waits at most this long for the worker.
constexpr long kChunkFrames = 1024;

// The wave output's volume applies to the sound here; at full volume the samples pass
// unchanged.
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

WaveAudioDevice::~WaveAudioDevice() {
    HaltRun();
}

uint32_t WaveAudioDevice::Open(const QString& element) {
    uint32_t error = 0;
    m_decoder = WaveDecoder::OpenFile(element, &error);
    if (!m_decoder) {
        return error;
    }
    QString outputError;
    m_output = AcquireWaveOutput(&outputError);
    return m_output ? 0 : MCIERR_HARDWARE;
}

uint64_t WaveAudioDevice::LengthMs() {
    return m_decoder->MillisecondsOf(m_decoder->Frames());
}

uint64_t WaveAudioDevice::PositionMs() {
    return m_decoder->MillisecondsOf(m_frame.load());
}

int64_t WaveAudioDevice::FrameAt(uint64_t ms) const {
    return ms >= m_decoder->MillisecondsOf(m_decoder->Frames()) ? m_decoder->Frames()
                                                                : m_decoder->FrameAt(ms);
}

uint32_t WaveAudioDevice::StartRun(std::optional<uint64_t> from, std::optional<uint64_t> to,
                                   uint64_t run) {
    HaltRun();
    if (from) {
        m_frame = FrameAt(*from);
    }
    const int64_t end = to ? FrameAt(*to) : m_decoder->Frames();
    if (!m_decoder->Seek(m_frame)) {
        return MCIERR_FILE_READ;
    }
    StartRendering(end, run);
    return 0;
}

void WaveAudioDevice::Render(int64_t endFrame, uint64_t run) {
    std::vector<float> sound;
    while (!m_halt && m_frame < endFrame) {
        sound.clear();
        long consumed = 0;
        const long wanted = long(std::min<int64_t>(kChunkFrames, endFrame - m_frame));
        if (!m_decoder->Decode(wanted, &sound, &consumed)) {
            RunEnded(run, true);
            return;
        }
        if (consumed == 0) {
            break;
        }
        ApplyVolume(&sound);
        if (!m_output->Write(sound.data(), sound.size() / WaveOutput::kChannels)) {
            RunEnded(run, true);
            return;
        }
        m_frame += consumed;
    }
    if (!m_halt) {
        RunEnded(run, false);
    }
}

}  // namespace tavi::mci
