#include "PlaybackSettings.h"

#include "SettingsKeys.h"
#include "SettingsValues.h"

#include <algorithm>

namespace tavi::settings {

namespace {

// Signed tenths of a decibel are kept in a DWORD as two's complement.
int readSigned(const reg::RegKey& key, const QString& name, int fallback) {
    return int(int32_t(readNumber(key, name, uint32_t(int32_t(fallback)))));
}

void writeSigned(reg::RegKey& key, const QString& name, int value) {
    writeNumber(key, name, uint32_t(int32_t(value)));
}

}  // namespace

void PlaybackSettings::Clamp() {
    if (uint32_t(gainMode) > uint32_t(GainMode::Album)) {
        gainMode = GainMode::Off;
    }
    preampTenthsDb = std::clamp(preampTenthsDb, kMinGainTenthsDb, kMaxGainTenthsDb);
    fallbackTenthsDb = std::clamp(fallbackTenthsDb, kMinGainTenthsDb, kMaxGainTenthsDb);
    crossfadeMs = std::clamp(crossfadeMs, kMinCrossfadeMs, kMaxCrossfadeMs);
    fadePauseMs = std::clamp(fadePauseMs, kMinPauseFadeMs, kMaxPauseFadeMs);
}

PlaybackSettings& playbackSettings() {
    static PlaybackSettings settings;
    return settings;
}

void loadPlaybackSettings(const reg::RegKey& key, PlaybackSettings& s) {
    const PlaybackSettings d;
    s.gainMode =
        PlaybackSettings::GainMode(readNumber(key, keys::kReplayGainMode, uint32_t(d.gainMode)));
    s.preampTenthsDb = readSigned(key, keys::kReplayGainPreamp, d.preampTenthsDb);
    s.fallbackTenthsDb = readSigned(key, keys::kReplayGainFallback, d.fallbackTenthsDb);
    s.preventClipping = readFlag(key, keys::kReplayGainNoClipping, d.preventClipping);
    s.crossfadeAuto = readFlag(key, keys::kCrossfadeAuto, d.crossfadeAuto);
    s.crossfadeManual = readFlag(key, keys::kCrossfadeManual, d.crossfadeManual);
    s.crossfadeMs = readNumber(key, keys::kCrossfadeLength, d.crossfadeMs);
    s.fadePause = readFlag(key, keys::kFadePause, d.fadePause);
    s.fadePauseMs = readNumber(key, keys::kFadePauseLength, d.fadePauseMs);
    s.Clamp();
}

void savePlaybackSettings(reg::RegKey& key, const PlaybackSettings& s) {
    writeNumber(key, keys::kReplayGainMode, uint32_t(s.gainMode));
    writeSigned(key, keys::kReplayGainPreamp, s.preampTenthsDb);
    writeSigned(key, keys::kReplayGainFallback, s.fallbackTenthsDb);
    writeFlag(key, keys::kReplayGainNoClipping, s.preventClipping);
    writeFlag(key, keys::kCrossfadeAuto, s.crossfadeAuto);
    writeFlag(key, keys::kCrossfadeManual, s.crossfadeManual);
    writeNumber(key, keys::kCrossfadeLength, s.crossfadeMs);
    writeFlag(key, keys::kFadePause, s.fadePause);
    writeNumber(key, keys::kFadePauseLength, s.fadePauseMs);
}

}  // namespace tavi::settings
