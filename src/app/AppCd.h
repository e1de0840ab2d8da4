#pragma once

namespace tavi::frame {
class CMainFrame;
}

namespace tavi::app {

// The CD in the main window: CD entries are shown by the names of the title database, and
// when a disc arrives or leaves the database is read again and the list shows the names of
// the disc now in the drive (and takes the focus).
void ConnectCd(frame::CMainFrame* window);

}  // namespace tavi::app
