#pragma once

#include "SettingsValues.h"

#include <QString>

#include <optional>

namespace tavi::settings {

// The main window's state, read when it is created and written when it closes.
struct MainFrameSettings {
    std::optional<WindowPlacement> windowPos;  // nullopt: the window system places it
    QString languageCode;                      // empty: the built-in language
    bool fullScreen = false;
    bool hideWhenMinimized = false;
    bool alwaysOnTop = false;
};

// The key is the "MainFrame" key.
MainFrameSettings loadMainFrameSettings(const reg::RegKey& mainFrameKey);
void saveMainFrameSettings(reg::RegKey& mainFrameKey, const MainFrameSettings& settings);

}  // namespace tavi::settings
