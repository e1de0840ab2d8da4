#pragma once

#include "WaveOutput.h"

#include <QString>

#include <memory>
#include <mutex>

typedef struct _snd_pcm snd_pcm_t;

namespace tavi::mci {

// ALSA's PCM interface on its "default" device (which reaches PulseAudio or PipeWire where
// they run): the wave device's own sound output, which needs no GStreamer. Write blocks as
// the device takes the sound.
class AlsaWaveOutput : public WaveOutput {
public:
    // Null with *error when the device cannot be opened in the output's format.
    static std::unique_ptr<AlsaWaveOutput> Open(QString* error);
    ~AlsaWaveOutput() override;  // what is still buffered plays out, on a thread of its own

    bool Write(const float* samples, size_t frames) override;
    void Flush() override;

private:
    explicit AlsaWaveOutput(snd_pcm_t* pcm) : m_pcm(pcm) {}

    std::mutex m_mutex;  // guards m_pcm's use
    snd_pcm_t* m_pcm;
};

}  // namespace tavi::mci
