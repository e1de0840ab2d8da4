#pragma once

#include "NpmodHost.h"
#include "PlayerOptions.h"

#include <QPointer>

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class QObject;
class QWidget;

namespace openmpt {
class module;
}

namespace npmod {

class ModPanel;

// One player of the library: a module decoded by libopenmpt on a render thread of its own
// into the host's output, at the pace the output takes it. Positions are in units of 100 ms
// and count the sound handed to the output. The last part of a piece (kTailMs) is handed on
// at once, so that the end is known while it is still being heard and the next track can
// follow it without a gap.
//
// Calls come from the UI thread, except the position and state getters, which any thread
// may call (they read atomics).
class ModPlayer {
public:
    static constexpr int kRate = 44100;
    static constexpr int kFramesPerUnit = kRate / 10;  // one unit of position, 100 ms
    static constexpr int kMaxMeterChannels = 64;
    static constexpr int kTailMs = 500;

    ModPlayer(PlayerOptions options, const TaviModHost* host);
    ~ModPlayer();
    ModPlayer(const ModPlayer&) = delete;
    ModPlayer& operator=(const ModPlayer&) = delete;

    // Everything that belongs to the UI thread goes: the render thread, the panel, the output.
    void Release();

    bool Load(const std::string& path);
    bool LoadBytes(std::vector<uint8_t> file);
    void SetWindow(QWidget* window);
    bool Play();
    bool Stop();

    bool IsReady() const { return m_ready; }
    bool IsPlaying() const { return m_playing; }
    int MaxPosition() const { return m_maxPosition; }
    int CurrentPosition() const;
    void SetCurrentPosition(int position);
    int Volume() const { return m_volume; }
    void SetVolume(int volume);

    // What the panel shows; fixed once a module is loaded.
    const std::string& Title() const { return m_title; }
    const std::string& TypeName() const { return m_typeName; }
    int Channels() const { return m_channels; }
    const PlayerOptions& Options() const { return m_options; }
    // The levels of the sound handed on last, 0..1: left and right, and per module channel.
    float Level(int side) const { return m_level[size_t(side)]; }
    float ChannelLevel(int channel) const { return m_channelLevel[size_t(channel)]; }

private:
    void Halt();
    void Render();
    size_t RenderInto(std::vector<float>* sound, size_t frames, bool* ended);
    void MeasureLevels(const float* sound, size_t frames);
    // Waits until the output wants the next sound; false when halted meanwhile.
    bool WaitUntilDue();
    // Waits while the last frames handed on are heard, or until a halt.
    void PlayOut(size_t frames);

    const PlayerOptions m_options;
    const TaviModHost* m_host;
    void* m_output = nullptr;  // the host's; taken at the first load
    // Used by the render thread while it runs, by the UI thread otherwise.
    std::unique_ptr<openmpt::module> m_module;
    std::thread m_render;
    std::unique_ptr<QObject> m_relay;  // carries the autostart to the next turn of the UI loop
    QPointer<ModPanel> m_panel;

    // Set on the UI thread before a module plays, read by the panel.
    std::string m_title;
    std::string m_typeName;
    int m_channels = 0;
    int64_t m_lengthFrames = 0;

    std::atomic<bool> m_ready = false;
    std::atomic<bool> m_playing = false;
    std::atomic<bool> m_halt = false;
    std::mutex m_haltMutex;  // guards nothing but the render thread's wait on m_haltWake
    std::condition_variable m_haltWake;
    std::atomic<bool> m_atEnd = false;       // the render thread handed on the last sound
    std::atomic<bool> m_autostart = false;   // a start waits for the UI loop
    std::atomic<bool> m_wroteInRun = false;  // this run queued sound of its own
    // The halted run rendered sound it never handed on; written by the render thread, read
    // after it was joined.
    bool m_rewind = false;
    std::atomic<int> m_maxPosition = 0;
    std::atomic<int> m_volume = 100;
    std::atomic<int64_t> m_frame = 0;  // frames handed to the output
    std::array<std::atomic<float>, 2> m_level{};
    std::array<std::atomic<float>, kMaxMeterChannels> m_channelLevel{};
};

}  // namespace npmod
