#pragma once

#include "app/settings/PlayerSettings.h"
#include "app/settings/ViewSettings.h"

namespace tavi::test {

// The process-wide player and view settings as a test may change them: the values before
// the test come back when the scope ends. With Fresh the test starts from the defaults.
class SettingsScope {
public:
    enum Start { Keep, Fresh };

    explicit SettingsScope(Start start = Fresh) {
        if (start == Fresh) {
            settings::playerSettings() = settings::PlayerSettings::defaults();
            settings::viewSettings() = settings::ViewSettings{};
        }
    }
    ~SettingsScope() {
        settings::playerSettings() = m_player;
        settings::viewSettings() = m_view;
    }
    SettingsScope(const SettingsScope&) = delete;
    SettingsScope& operator=(const SettingsScope&) = delete;

private:
    settings::PlayerSettings m_player = settings::playerSettings();
    settings::ViewSettings m_view = settings::viewSettings();
};

}  // namespace tavi::test
