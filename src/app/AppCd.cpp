#include "AppCd.h"

#include "app/frame/CMainFrame.h"
#include "engines/cd/CCdDatabase.h"
#include "engines/cd/CdDiscMonitor.h"
#include "platform/mci/cd/CdDrives.h"
#include "playlist/CTaviDoc.h"
#include "playlist/DisplayName.h"
#include "playlist/EntryKinds.h"
#include "playlist/PlaylistModel.h"
#include "playlist/view/CPlayListBox.h"
#include "playlist/view/CTaviView.h"

#include <QMenu>
#include <QMenuBar>
#include <QTimer>

namespace tavi::app {

namespace {

bool HasCdEntries(const playlist::PlaylistModel& model) {
    for (int row = 0; row < model.count(); ++row) {
        if (playlist::EntryExtension(model.path(row)) == QLatin1String(".CDA")) {
            return true;
        }
    }
    return false;
}

// Without udev the drive is checked every 2 s, which wakes the program: only while the list
// shows CD entries, and once whenever a menu opens (the CD commands are there). Changes of
// the list are looked at once per turn of the event loop, however many rows came.
void CheckDriveWhileLookedAt(frame::CMainFrame* window, engines::CdDiscMonitor* monitor) {
    playlist::PlaylistModel& model = window->document().model();
    auto* review = new QTimer(monitor);
    review->setSingleShot(true);
    QObject::connect(review, &QTimer::timeout, monitor,
                     [monitor, &model] { monitor->SetChecking(HasCdEntries(model)); });
    const auto later = [review] { review->start(0); };
    QObject::connect(&model, &QAbstractItemModel::rowsInserted, review, later);
    QObject::connect(&model, &QAbstractItemModel::rowsRemoved, review, later);
    QObject::connect(&model, &QAbstractItemModel::modelReset, review, later);
    QObject::connect(&model, &QAbstractItemModel::dataChanged, review, later);
    for (QMenu* menu : window->menuBar()->findChildren<QMenu*>()) {
        QObject::connect(menu, &QMenu::aboutToShow, monitor, [monitor] { monitor->CheckNow(); });
    }
    monitor->SetChecking(HasCdEntries(model));
}

}  // namespace

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
    CheckDriveWhileLookedAt(window, monitor);
}

}  // namespace tavi::app
