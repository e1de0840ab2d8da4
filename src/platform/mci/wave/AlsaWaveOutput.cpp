#include "AlsaWaveOutput.h"

#include <alsa/asoundlib.h>
#include <QCoreApplication>

#include <thread>

namespace tavi::mci {

namespace {

// Enough buffered sound to ride over a busy machine's scheduling; short enough that a stop
// is heard at once.
constexpr unsigned kBufferMicroseconds = 100000;

void IgnoreAlsaMessage(const char*, int, const char*, int, const char*, ...) {}

}  // namespace

std::unique_ptr<AlsaWaveOutput> AlsaWaveOutput::Open(QString* error) {
    snd_lib_error_set_handler(IgnoreAlsaMessage);
    snd_pcm_t* pcm = nullptr;
    int result = snd_pcm_open(&pcm, "default", SND_PCM_STREAM_PLAYBACK, 0);
    if (result >= 0) {
        result = snd_pcm_set_params(pcm, SND_PCM_FORMAT_FLOAT_LE, SND_PCM_ACCESS_RW_INTERLEAVED,
                                    kChannels, kRate, 1, kBufferMicroseconds);
        if (result < 0) {
            snd_pcm_close(pcm);
        }
    }
    if (result < 0) {
        *error =
            QCoreApplication::translate("WaveOutput", "The sound device could not be opened: %1")
                .arg(QString::fromLocal8Bit(snd_strerror(result)));
        return nullptr;
    }
    return std::unique_ptr<AlsaWaveOutput>(new AlsaWaveOutput(pcm));
}

AlsaWaveOutput::~AlsaWaveOutput() {
    // Draining waits for the buffered sound to be heard; nobody need wait for that.
    std::thread([pcm = m_pcm] {
        snd_pcm_drain(pcm);
        snd_pcm_close(pcm);
    }).detach();
}

bool AlsaWaveOutput::Write(const float* samples, size_t frames) {
    std::lock_guard lock(m_mutex);
    while (frames > 0) {
        snd_pcm_sframes_t written = snd_pcm_writei(m_pcm, samples, frames);
        if (written < 0) {
            // An underrun (the device ran dry between tracks) or a suspend is recovered from.
            if (snd_pcm_recover(m_pcm, int(written), 1) < 0) {
                return false;
            }
            continue;
        }
        samples += size_t(written) * kChannels;
        frames -= size_t(written);
    }
    return true;
}

void AlsaWaveOutput::Flush() {
    std::lock_guard lock(m_mutex);
    snd_pcm_drop(m_pcm);
    snd_pcm_prepare(m_pcm);
}

}  // namespace tavi::mci
