#include "MainFrameSettings.h"

#include "SettingsKeys.h"

namespace tavi::settings {

MainFrameSettings loadMainFrameSettings(const reg::RegKey& key) {
    MainFrameSettings s;
    s.windowPos = readPlacement(key, keys::kWindowPos);
    s.languageCode = readString(key, keys::kLanguageCode, QString());
    s.fullScreen = readFlag(key, keys::kFullScreen, false);
    s.hideWhenMinimized = readFlag(key, keys::kHideWhenMinimized, false);
    s.alwaysOnTop = readFlag(key, keys::kAlwaysOnTop, false);
    return s;
}

void saveMainFrameSettings(reg::RegKey& key, const MainFrameSettings& s) {
    if (s.windowPos) {
        writePlacement(key, keys::kWindowPos, *s.windowPos);
    }
    writeString(key, keys::kLanguageCode, s.languageCode);
    writeFlag(key, keys::kFullScreen, s.fullScreen);
    writeFlag(key, keys::kHideWhenMinimized, s.hideWhenMinimized);
    writeFlag(key, keys::kAlwaysOnTop, s.alwaysOnTop);
}

}  // namespace tavi::settings
