// Our playback values under "Settings": neutral on a first start, kept across a save and a
// load with their types, and brought into range when hand-edited.
#include "app/settings/AppKey.h"
#include "app/settings/PlaybackSettings.h"
#include "app/settings/SettingsKeys.h"
#include "support/TempRegistry.h"

#include <gtest/gtest.h>

using namespace tavi::settings;
using tavi::reg::RegKey;

namespace {

class Playback : public testing::Test {
protected:
    RegKey settingsKey() { return openApplicationKey(*registry, keys::kSettings); }
    tavi::test::TempRegistry registry;
};

}  // namespace

TEST_F(Playback, AFirstStartIsNeutralAndASavedSetIsReadBack) {
    PlaybackSettings loaded;
    loaded.crossfadeAuto = true;  // overwritten by the defaults of an empty key
    loadPlaybackSettings(settingsKey(), loaded);
    EXPECT_EQ(loaded.gainMode, PlaybackSettings::GainMode::Off);
    EXPECT_EQ(loaded.preampTenthsDb, 0);
    EXPECT_EQ(loaded.fallbackTenthsDb, 0);
    EXPECT_TRUE(loaded.preventClipping);
    EXPECT_FALSE(loaded.crossfadeAuto || loaded.crossfadeManual || loaded.fadePause);
    EXPECT_EQ(loaded.crossfadeMs, 2000u);
    EXPECT_EQ(loaded.fadePauseMs, 300u);

    PlaybackSettings saved;
    saved.gainMode = PlaybackSettings::GainMode::Album;
    saved.preampTenthsDb = -65;
    saved.fallbackTenthsDb = 40;
    saved.preventClipping = false;
    saved.crossfadeAuto = saved.crossfadeManual = saved.fadePause = true;
    saved.crossfadeMs = 4500;
    saved.fadePauseMs = 120;
    {
        RegKey key = settingsKey();
        savePlaybackSettings(key, saved);
    }
    registry.reopen();
    PlaybackSettings again;
    loadPlaybackSettings(settingsKey(), again);
    EXPECT_EQ(again.gainMode, saved.gainMode);
    EXPECT_EQ(again.preampTenthsDb, -65) << "negative decibels survive the DWORD";
    EXPECT_EQ(again.fallbackTenthsDb, 40);
    EXPECT_FALSE(again.preventClipping);
    EXPECT_TRUE(again.crossfadeAuto && again.crossfadeManual && again.fadePause);
    EXPECT_EQ(again.crossfadeMs, 4500u);
    EXPECT_EQ(again.fadePauseMs, 120u);
    EXPECT_EQ(settingsKey().dwordValue(keys::kReplayGainMode), 2u);
    EXPECT_EQ(settingsKey().dwordValue(keys::kCrossfadeLength), 4500u);
}

TEST_F(Playback, HandEditedValuesOutOfRangeAreBroughtIntoIt) {
    {
        RegKey key = settingsKey();
        key.setDWord(keys::kReplayGainMode, 7);
        key.setDWord(keys::kReplayGainPreamp, uint32_t(-900));
        key.setDWord(keys::kReplayGainFallback, 900);
        key.setDWord(keys::kCrossfadeLength, 100);
        key.setDWord(keys::kFadePauseLength, 60000);
        key.setString(keys::kCrossfadeAuto, QStringLiteral("yes"));  // a flag is 4 bytes
    }
    PlaybackSettings loaded;
    loadPlaybackSettings(settingsKey(), loaded);
    EXPECT_EQ(loaded.gainMode, PlaybackSettings::GainMode::Off);
    EXPECT_EQ(loaded.preampTenthsDb, PlaybackSettings::kMinGainTenthsDb);
    EXPECT_EQ(loaded.fallbackTenthsDb, PlaybackSettings::kMaxGainTenthsDb);
    EXPECT_EQ(loaded.crossfadeMs, PlaybackSettings::kMinCrossfadeMs);
    EXPECT_EQ(loaded.fadePauseMs, PlaybackSettings::kMaxPauseFadeMs);
    EXPECT_FALSE(loaded.crossfadeAuto);
}
