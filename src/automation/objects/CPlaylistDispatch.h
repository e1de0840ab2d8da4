#pragma once

#include "automation/dispatch/DispatchObject.h"

#include <QPointer>

namespace tavi::playlist {
class CTaviView;
}

namespace tavi::automation {

class AutomationHost;

// A Playlist object: the list of the view it was made for, by 0-based index. It follows
// the view by a guarded pointer, so a client that keeps it after the view is gone gets an
// error instead of reaching a destroyed view.
class CPlaylistDispatch : public DispatchObject {
public:
    CPlaylistDispatch(AutomationHost& host, playlist::CTaviView* view);
    QString TypeName() const override { return QStringLiteral("Playlist"); }

private:
    playlist::CTaviView& View() const;
    void AddListMembers();
    void AddEditMembers();

    AutomationHost& m_host;
    QPointer<playlist::CTaviView> m_view;
};

}  // namespace tavi::automation
