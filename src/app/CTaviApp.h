#pragma once

#include "ApplicationServices.h"
#include "CommandLine.h"
#include "app/settings/RecentFileList.h"

#include <QMainWindow>
#include <QStringList>

#include <functional>
#include <memory>

namespace tavi::playlist {
class CTaviDoc;
class CTaviView;
}  // namespace tavi::playlist

namespace tavi::app {

class IncomingFiles;
class SettingsFolderWatch;

// The application object: start-up in its fixed order, the routing of every file handed in
// from outside, the recent playlists, and what is saved at exit.
class CTaviApp : public ApplicationServices {
public:
    // The main window and the playlist view inside it.
    struct Frame {
        std::unique_ptr<QMainWindow> window;
        playlist::CTaviView* view = nullptr;
        std::function<void()> show;  // how the window first appears (plain show() when empty)
    };
    using FrameFactory = std::function<Frame(playlist::CTaviDoc&, ApplicationServices&)>;

    CTaviApp();
    ~CTaviApp() override;

    // Replaces the main window the application creates (the real frame, or a test's).
    void SetFrameFactory(FrameFactory factory) { m_frameFactory = std::move(factory); }

    // Start-up; false when the process should end (a playlist named on the command line that
    // cannot be opened, or a registration run).
    bool InitInstance(const QStringList& arguments);
    // Exit: writes the current folder as "PlaylistDir".
    void ExitInstance();

    // Plays a media file, opens a playlist or folder as the document; anything else (a
    // picture, a text) is refused with a message and changes nothing.
    bool OpenDocumentFile(const QString& path) override;
    static bool IsUnplayableFile(const QString& path);
    static QString UnplayableFileText(const QString& path);
    // Files from another start (or this one's command line): delivered together once the
    // window is up and the bus name decided (IncomingFiles). No files: the window comes
    // forward.
    void HandIn(const QStringList& files, bool moreMayFollow);
    void NewDocument() override;
    settings::RecentFileList& RecentFiles() override { return m_recentFiles; }

    playlist::CTaviDoc* Document() const { return m_document.get(); }
    QMainWindow* MainWindow() const { return m_frame.window.get(); }
    playlist::CTaviView* View() const { return m_frame.view; }
    const CommandLine& GetCommandLine() const { return m_commandLine; }

    // Saves the view's and the frame's settings and closes the window (the frame's close).
    void CloseMainWindow();
    // Writes every setting now, as the exit does (the options sheet's OK and Apply).
    void SaveSettings() override;
    void RunStartupCommand() override {
        if (m_startupCommand) {
            m_startupCommand();
        }
    }
    void EditPrograms() override {
        if (m_editPrograms) {
            m_editPrograms();
        }
    }
    void SetEditPrograms(std::function<void()> edit) { m_editPrograms = std::move(edit); }
    // What the start-up command does (the object model sets it).
    void SetStartupCommand(std::function<void()> command) { m_startupCommand = std::move(command); }
    // The session ends by a signal: nothing may ask. A modified playlist is saved to its
    // file with "SaveOnExit", otherwise kept as the recovery copy; the settings are
    // written; then the event loop ends.
    void EndSession();
    // At start-up: when the last session kept an unsaved playlist, asks whether to open it.
    void OfferRecovery();
    // The question OfferRecovery asks (tests answer it); true opens the copy.
    void SetRecoveryQuestion(std::function<bool(const QString& question)> ask) {
        m_askRecover = std::move(ask);
    }

private:
    void RestorePlaylistDir();
    void LoadSettings();
    void KeepPlaylistForNextSession();
    void EnsureMainWindow();
    std::function<void()> m_startupCommand;
    std::function<void()> m_editPrograms;
    bool ProcessShellCommand();
    void ReopenRecentPlaylist();
    void SaveRecentFiles();
    void CreateIncomingFiles();
    void WatchSettingsFolders();
    void AddAndPlay(const QStringList& paths);
    void RaiseMainWindow();

    CommandLine m_commandLine;
    settings::RecentFileList m_recentFiles;
    std::unique_ptr<playlist::CTaviDoc> m_document;
    Frame m_frame;
    FrameFactory m_frameFactory;
    std::unique_ptr<IncomingFiles> m_incoming;
    std::unique_ptr<SettingsFolderWatch> m_settingsWatch;
    std::function<bool(const QString& question)> m_askRecover;
    bool m_ending = false;
};

// A main window that holds only the playlist view: what the application shows until a
// richer frame is given with SetFrameFactory.
CTaviApp::Frame CreatePlainFrame(playlist::CTaviDoc& document, ApplicationServices& services);

}  // namespace tavi::app
