#include "AppCd.h"

#include "app/frame/CMainFrame.h"
#include "engines/cd/CCdDatabase.h"
#include "engines/cd/CdDiscMonitor.h"
#include "platform/mci/cd/CdDrives.h"
#include "playlist/CTaviDoc.h"
#include "playlist/DisplayName.h"
#include "playlist/PlaylistModel.h"
#include "playlist/view/CPlayListBox.h"
#include "playlist/view/CTaviView.h"

namespace tavi::app {

void ConnectCd(frame::CMainFrame* window) {
    // The database is held in memory: a name costs a lookup, never the drive.
    playlist::displayNameHooks().cdTrackTitle = [](int trackNumber) {
        return engines::CCdDatabase::Instance().GetTrackName(trackNumber - 1);
    };
    auto* monitor =
        new engines::CdDiscMonitor(mci::DefaultCdDrive(), engines::CCdDatabase::Instance(), window);
    QObject::connect(monitor, &engines::CdDiscMonitor::discChanged, window, [window] {
        window->document().model().invalidateDisplayNames();
        playlist::CPlayListBox* list = window->view().listBox();
        list->viewport()->update();
        list->setFocus();
    });
    monitor->Start();
}

}  // namespace tavi::app
