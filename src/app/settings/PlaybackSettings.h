#pragma once

#include "platform/registry/RegKey.h"

#include <cstdint>

namespace tavi::settings {

// How loud each track plays and how tracks meet: loudness correction from the files' tags,
// crossfades and a fade around pause. Our own values of the "Settings" key; every one of them
// is off or neutral until the user changes it, so the player behaves as without them.
// Process-wide: one copy, playbackSettings(). docs/settings.md names the values.
struct PlaybackSettings {
    enum class GainMode : uint32_t { Off = 0, Track = 1, Album = 2 };

    static constexpr int kMinGainTenthsDb = -150;
    static constexpr int kMaxGainTenthsDb = 150;
    static constexpr uint32_t kMinCrossfadeMs = 500;
    static constexpr uint32_t kMaxCrossfadeMs = 10000;
    static constexpr uint32_t kMinPauseFadeMs = 50;
    static constexpr uint32_t kMaxPauseFadeMs = 1000;

    GainMode gainMode = GainMode::Off;
    int preampTenthsDb = 0;    // added to the tagged gain
    int fallbackTenthsDb = 0;  // the gain of files without gain tags
    bool preventClipping = true;
    bool crossfadeAuto = false;    // when a track ends and the next one follows
    bool crossfadeManual = false;  // on Next and Previous
    uint32_t crossfadeMs = 2000;
    bool fadePause = false;
    uint32_t fadePauseMs = 300;

    double CrossfadeSeconds() const { return crossfadeMs / 1000.0; }
    // Values out of range are brought into it (a hand-edited registry, say).
    void Clamp();
};

PlaybackSettings& playbackSettings();

void loadPlaybackSettings(const reg::RegKey& settingsKey, PlaybackSettings& settings);
void savePlaybackSettings(reg::RegKey& settingsKey, const PlaybackSettings& settings);

}  // namespace tavi::settings
