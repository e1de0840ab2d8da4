#include "ModPlayer.h"

#include "ModPanel.h"
#include "ModuleFile.h"

#include <libopenmpt/libopenmpt.hpp>

#include <QCoreApplication>
#include <QObject>
#include <QWidget>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cmath>
#include <ostream>
#include <streambuf>

namespace npmod {

namespace {

// About 370 ms a write: every write wakes the render thread and the output, so large ones
// cost little; the wait before each is the render thread's own, so a halt is at once.
constexpr size_t kChunkFrames = 16384;
constexpr size_t kReadFrames = 1024;
constexpr int64_t kTailFrames = int64_t(ModPlayer::kRate) * ModPlayer::kTailMs / 1000;
// Pieces longer than this are taken to be endless loops the estimate could not see through.
constexpr double kMaxSeconds = 24.0 * 3600.0;

// libopenmpt's warnings about damaged files are no business of the player's users.
class NullBuffer : public std::streambuf {
protected:
    int overflow(int c) override { return c; }
};

std::ostream& Quiet() {
    static NullBuffer buffer;
    static std::ostream stream(&buffer);
    return stream;
}

std::string Trimmed(std::string text) {
    const auto blank = [](unsigned char c) { return std::isspace(c) != 0; };
    while (!text.empty() && blank(static_cast<unsigned char>(text.back()))) {
        text.pop_back();
    }
    const auto first = std::find_if_not(text.begin(), text.end(), blank);
    return std::string(first, text.end());
}

}  // namespace

ModPlayer::ModPlayer(PlayerOptions options, const TaviModHost* host)
    : m_options(options), m_host(host) {}

ModPlayer::~ModPlayer() {
    Release();
}

void ModPlayer::Release() {
    m_autostart = false;
    Halt();
    m_playing = false;
    delete m_panel.data();
    m_relay.reset();
    if (m_output && m_host) {
        m_host->releaseOutput(m_output);
    }
    m_output = nullptr;
}

bool ModPlayer::Load(const std::string& path) {
    std::optional<std::vector<uint8_t>> file = ReadModuleFile(path);
    return file && LoadBytes(std::move(*file));
}

bool ModPlayer::LoadBytes(std::vector<uint8_t> file) {
    m_autostart = false;
    Halt();
    m_playing = false;
    m_ready = false;
    std::optional<std::vector<uint8_t>> module = UnpackModule(std::move(file));
    if (!module) {
        return false;
    }
    try {
        m_module = std::make_unique<openmpt::module>(module->data(), module->size(), Quiet());
    } catch (const std::exception&) {
        m_module.reset();
        return false;
    }
    m_module->set_repeat_count(0);
    const double seconds = m_module->get_duration_seconds();
    if (!(seconds > 0.0) || seconds > kMaxSeconds) {
        m_module.reset();
        return false;
    }
    if (!m_output && m_host && m_host->version >= TAVI_MOD_HOST_VERSION) {
        m_output = m_host->acquireOutput();
    }
    if (!m_output) {
        m_module.reset();
        return false;
    }
    m_title = Trimmed(m_module->get_metadata("title"));
    m_typeName = m_module->get_metadata("type_long");
    m_channels = std::max(0, m_module->get_num_channels());
    m_lengthFrames = std::llround(seconds * kRate);
    // At least one unit: a piece of a few ticks must still reach an end the watcher sees.
    m_maxPosition = std::max(1, int(std::lround(seconds * 10.0)));
    m_frame = 0;
    m_atEnd = false;
    m_ready = true;
    if (m_panel) {
        m_panel->ModuleChanged();
    }
    if (m_options.autostart && QCoreApplication::instance()) {
        // Started on the next turn of the UI loop, so that a caller that stops the player
        // right after loading it never has sound of it queued.
        m_autostart = true;
        if (!m_relay) {
            m_relay = std::make_unique<QObject>();
        }
        QMetaObject::invokeMethod(
            m_relay.get(),
            [this] {
                if (m_autostart) {
                    Play();
                }
            },
            Qt::QueuedConnection);
    }
    return true;
}

void ModPlayer::SetWindow(QWidget* window) {
    delete m_panel.data();
    if (window) {
        m_panel = new ModPanel(this, window);
    }
}

bool ModPlayer::Play() {
    m_autostart = false;
    if (m_playing) {
        return true;
    }
    if (!m_ready) {
        return false;
    }
    Halt();
    if (m_atEnd) {
        m_module->set_position_seconds(0.0);
        m_frame = 0;
        m_atEnd = false;
    }
    m_halt = false;
    m_wroteInRun = false;
    m_playing = true;
    m_render = std::thread([this] { Render(); });
    return true;
}

bool ModPlayer::Stop() {
    m_autostart = false;
    Halt();
    m_playing = false;
    return true;
}

// A run that reached the end left its last sound queued, perhaps with the next track's after
// it: only an interrupted run that queued sound drops what is queued.
void ModPlayer::Halt() {
    if (!m_render.joinable()) {
        return;
    }
    {
        std::lock_guard lock(m_haltMutex);
        m_halt = true;
    }
    m_haltWake.notify_all();
    m_render.join();
    if (m_rewind) {
        m_rewind = false;
        m_module->set_position_seconds(double(m_frame) / kRate);
    }
    if (!m_atEnd && m_wroteInRun && m_output) {
        m_host->flush(m_output);
    }
    m_wroteInRun = false;
}

int ModPlayer::CurrentPosition() const {
    if (m_atEnd) {
        return m_maxPosition;
    }
    return int(std::min<int64_t>(m_maxPosition, m_frame / kFramesPerUnit));
}

void ModPlayer::SetCurrentPosition(int position) {
    if (!m_ready) {
        return;
    }
    const bool wasPlaying = m_playing;
    m_autostart = false;
    Halt();
    m_playing = false;
    const int units = std::clamp(position, 0, int(m_maxPosition));
    const double at = m_module->set_position_seconds(units / 10.0);
    m_frame = std::llround(std::max(0.0, at) * kRate);
    m_atEnd = false;
    if (wasPlaying) {
        Play();
    }
}

void ModPlayer::SetVolume(int volume) {
    m_volume = std::clamp(volume, 0, 100);
}

// Renders up to frames into sound; ended is set when the piece is over.
size_t ModPlayer::RenderInto(std::vector<float>* sound, size_t frames, bool* ended) {
    sound->resize(frames * 2);
    size_t done = 0;
    while (done < frames) {
        const size_t part = std::min(kReadFrames, frames - done);
        const size_t got = m_module->read_interleaved_stereo(kRate, part, sound->data() + done * 2);
        done += got;
        if (got == 0) {
            *ended = true;
            break;
        }
    }
    const float gain = float(m_volume.load()) / 100.0f;
    for (size_t i = 0; i < done * 2; ++i) {
        (*sound)[i] *= gain;
    }
    return done;
}

void ModPlayer::MeasureLevels(const float* sound, size_t frames) {
    std::array<float, 2> peak{};
    for (size_t i = 0; i < frames; ++i) {
        peak[0] = std::max(peak[0], std::fabs(sound[2 * i]));
        peak[1] = std::max(peak[1], std::fabs(sound[2 * i + 1]));
    }
    m_level[0] = std::min(1.0f, peak[0]);
    m_level[1] = std::min(1.0f, peak[1]);
    const int channels = std::min(m_channels, kMaxMeterChannels);
    for (int c = 0; c < channels; ++c) {
        m_channelLevel[size_t(c)] =
            std::clamp(m_module->get_current_channel_vu_mono(c), 0.0f, 1.0f);
    }
}

// The render thread: chunks at the output's pace, the last part of the piece at once.
void ModPlayer::Render() {
    std::vector<float> sound;
    bool ended = false;
    size_t lastFrames = 0;
    while (!m_halt && !ended) {
        const bool tail = m_lengthFrames - m_frame <= kTailFrames;
        const size_t frames = tail ? size_t(2 * kTailFrames) : kChunkFrames;
        size_t got = 0;
        try {
            got = RenderInto(&sound, frames, &ended);
        } catch (const std::exception&) {
            ended = true;  // a damaged pattern the decoder gave up on ends the piece
        }
        if (got > 0) {
            if (!WaitUntilDue()) {
                m_rewind = true;  // rendered but never handed on
                break;
            }
            MeasureLevels(sound.data(), got);
            if (!m_host->write(m_output, sound.data(), got)) {
                break;  // the output failed: the piece cannot be heard any more
            }
            m_wroteInRun = true;
            m_frame += int64_t(got);
            lastFrames = got;
        }
    }
    if (ended || !m_halt) {
        m_atEnd = true;
        // Still playing while the last part is heard; a stop now leaves it queued.
        PlayOut(lastFrames);
        m_level[0] = m_level[1] = 0.0f;
        for (auto& level : m_channelLevel) {
            level = 0.0f;
        }
        m_playing = false;
    }
}

bool ModPlayer::WaitUntilDue() {
    for (;;) {
        const double seconds = m_host->secondsUntilDue(m_output);
        if (seconds <= 0.0) {
            return !m_halt;
        }
        std::unique_lock lock(m_haltMutex);
        if (m_haltWake.wait_for(lock, std::chrono::duration<double>(std::min(seconds, 1.0)),
                                [this] { return m_halt.load(); })) {
            return false;
        }
    }
}

void ModPlayer::PlayOut(size_t frames) {
    std::unique_lock lock(m_haltMutex);
    m_haltWake.wait_for(lock, std::chrono::milliseconds(int64_t(frames) * 1000 / kRate),
                        [this] { return m_halt.load(); });
}

}  // namespace npmod
