#pragma once

#include "platform/gst/SharedAudioOutput.h"

#include <algorithm>
#include <cmath>
#include <mutex>

namespace tavi::test {

// Listens to every period the shared output plays (silence included): how much sound it
// carried, and the longest silence between the first and the last sound, which is a gap
// between tracks that follow each other.
class SilenceMeter {
public:
    SilenceMeter() {
        gst::SharedAudioOutput::SetTap([this](const float* samples, size_t frames) {
            std::lock_guard lock(m_mutex);
            for (size_t i = 0; i < frames; ++i) {
                const bool sound =
                    std::fabs(samples[2 * i]) > 1e-3f || std::fabs(samples[2 * i + 1]) > 1e-3f;
                if (sound) {
                    if (m_started) {
                        m_longest = std::max(m_longest, m_run);
                    }
                    m_started = true;
                    m_run = 0;
                    ++m_sound;
                } else if (m_started) {
                    ++m_run;
                }
            }
        });
    }
    ~SilenceMeter() { gst::SharedAudioOutput::SetTap(nullptr); }
    SilenceMeter(const SilenceMeter&) = delete;
    SilenceMeter& operator=(const SilenceMeter&) = delete;

    double SoundSeconds() {
        std::lock_guard lock(m_mutex);
        return double(m_sound) / gst::SharedAudioOutput::kRate;
    }
    double LongestInnerSilenceMs() {
        std::lock_guard lock(m_mutex);
        return double(m_longest) * 1000.0 / gst::SharedAudioOutput::kRate;
    }

private:
    std::mutex m_mutex;  // guards everything below; the tap runs on the output's thread
    bool m_started = false;
    size_t m_run = 0;
    size_t m_longest = 0;
    size_t m_sound = 0;
};

}  // namespace tavi::test
