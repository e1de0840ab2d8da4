#pragma once

#include "app/settings/PlaybackSettings.h"
#include "app/settings/PlayerSettings.h"
#include "support/OpenWait.h"
#include "support/QtApp.h"

namespace tavi::test {

// What every playback test starts from: the application object, the null output (real-time,
// silent), the default player and playback options, no fade (it would use the system mixer), and
// opens that wait for their preroll.
inline void PrepareForPlayback() {
    coreApplication();
    WaitForEveryOpen();
    qputenv("TAVI_AUDIO_OUTPUT", "null");
    settings::playerSettings() = settings::PlayerSettings();
    settings::playerSettings().fadeOut = false;
    settings::playbackSettings() = settings::PlaybackSettings();
}

}  // namespace tavi::test
