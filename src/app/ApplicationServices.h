#pragma once

#include <QString>

namespace tavi::settings {
class RecentFileList;
}

namespace tavi::app {

// What the main window asks of the application object: the one way files from outside,
// File > Open, the recent-file list and drops on the frame reach the document.
class ApplicationServices {
public:
    virtual ~ApplicationServices() = default;

    // Plays a media file at once (not added to the playlist) or opens a playlist file or
    // folder as the document. Returns false when nothing could be opened.
    virtual bool OpenDocumentFile(const QString& path) = 0;
    // File > New: an empty playlist (after asking to save a modified one).
    virtual void NewDocument() = 0;
    // The recent playlists, newest first (File menu).
    virtual settings::RecentFileList& RecentFiles() = 0;
    // Writes every setting to the user's file now (after the options sheet's OK or Apply),
    // so that a later crash loses nothing the user confirmed.
    virtual void SaveSettings() = 0;
    // The start-up command the main window posts itself once it is up: the start-up
    // macros run and Application.Startup is raised.
    virtual void RunStartupCommand() = 0;
    // Programs > Edit: the "Edit Programs" dialog over the user's tools.
    virtual void EditPrograms() = 0;
};

}  // namespace tavi::app
