#pragma once

#include "automation/dispatch/CCmdTargetPlus.h"

namespace tavi::automation {

class AutomationHost;

// The Player object: the active view's player and the document's current track. Commands
// are posted to the view and run after the call has returned.
class CPlayerDispatch : public CCmdTargetPlus {
public:
    static constexpr DispId kStart = 1;
    static constexpr DispId kStop = 2;

    explicit CPlayerDispatch(AutomationHost& host);

private:
    void AddTrackMembers();
    void AddCommands();
    void Post(int command);

    AutomationHost& m_host;
};

}  // namespace tavi::automation
