#pragma once

#include <QString>

class QMainWindow;

namespace tavi::playlist {
class CTaviDoc;
class PlaylistPlayer;
}  // namespace tavi::playlist

namespace tavi::automation {

class CConsoleBar;
class DispatchObject;

// What the object model reaches in the running program. The objects hold no state of their
// own: every member reads or changes what these return. Called on the UI thread only.
class AutomationHost {
public:
    virtual ~AutomationHost() = default;

    // Null when there is none (members that need a window then answer 0 or do nothing).
    virtual QMainWindow* MainWindow() const = 0;
    // The player the Player members and Playlist objects act on; null when there is none.
    virtual playlist::PlaylistPlayer* ActivePlayer() const = 0;
    virtual playlist::CTaviDoc* ActiveDocument() const = 0;
    virtual CConsoleBar* Console() const = 0;

    // The application's open-document-file path; false when nothing was opened.
    virtual bool OpenDocumentFile(const QString& path) = 0;
    // File > New (asks to save a modified playlist first).
    virtual void NewDocument() = 0;
    // Runs a main-window command from the event loop, after the calling member returned.
    virtual void PostFrameCommand(int id) = 0;
    // A modal OK box with the program's title.
    virtual void ShowMessageBox(const QString& text) = 0;
    // The modal property pages of an object (null: none), with the caption as title.
    virtual void ShowPropertiesDialog(const QString& caption, DispatchObject* object) = 0;
    // The modal HTML dialog showing the page at the URL.
    virtual void ShowHtmlDialog(const QString& url) = 0;
};

}  // namespace tavi::automation
