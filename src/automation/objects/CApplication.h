#pragma once

#include "CAppDispatch.h"

namespace tavi::automation {

// The program's Application object ("Tavi.Application"): the generic members plus the
// Player, Playlist, Console, key strokes, ShellExecute and the Macros collection. Every
// Application object acts on the same main window.
class CApplication : public CAppDispatch {
public:
    static constexpr DispId kStartup = 1;
    static constexpr DispId kShutdown = 2;
    static constexpr int kAboutCommand = 57664;

    explicit CApplication(AutomationModel& model);

protected:
    Variant MacrosCollection() override;
};

}  // namespace tavi::automation
