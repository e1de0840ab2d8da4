#pragma once

#include "app/settings/PlayerSettings.h"
#include "support/QtApp.h"

namespace tavi::test {

// What every playback test starts from: the application object, the null output (real-time,
// silent), the default player options, and no fade (it would use the system mixer).
inline void PrepareForPlayback() {
    coreApplication();
    qputenv("TAVI_AUDIO_OUTPUT", "null");
    settings::playerSettings() = settings::PlayerSettings();
    settings::playerSettings().fadeOut = false;
}

}  // namespace tavi::test
