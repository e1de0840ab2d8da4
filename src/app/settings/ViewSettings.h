#pragma once

#include "LogFont.h"
#include "SettingsValues.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace tavi::settings {

// The playlist view's own options, read when it is created and written when it is destroyed.
struct ViewSettings {
    uint32_t playerMode = 0;  // 0 normal .. 5 loop
    bool showPath = false;
    bool showTrackNo = false;
    bool showSongLength = false;
    bool animateIcon = false;  // defaults to whether a system tray can show the animation
    uint32_t soundBankOptions = 1;
    uint32_t videoMode = 0;
    WinRect videoRect{0, 0, 480, 360};
    int32_t curSel = 0;  // -1 when nothing is selected
    bool useMetaData = false;
    QString displayNameFormat = QStringLiteral("$(Artist) - $(Title)");
    WinRect miniPlaylistRect{0, 0, 150, 200};
    std::optional<LogFont> font;  // nullopt: the system's list font
    uint32_t priorityClass = 32;

    static ViewSettings defaults(bool trayAvailable);
};

ViewSettings& viewSettings();

// Reads the group in its fixed order and applies "PriorityClass" to the process (a refusal
// of the system is ignored). The key is the "Settings" key.
void loadViewSettings(const reg::RegKey& settingsKey, ViewSettings& settings, bool trayAvailable);
// Writes in the fixed order. "CurSel", "ShowPath", "ShowTrackNo" and "Font" only when the
// playlist list still exists; "PriorityClass" is the process's current class.
void saveViewSettings(reg::RegKey& settingsKey, const ViewSettings& settings, bool listExists);

std::optional<LogFont> readFont(const reg::RegKey& settingsKey);
void writeFont(reg::RegKey& settingsKey, const LogFont& font);

}  // namespace tavi::settings
