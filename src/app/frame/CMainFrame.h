#pragma once

#include <QMainWindow>
#include <QPointer>

#include <memory>

namespace tavi::app {
class ApplicationServices;
}
namespace tavi::playlist {
class CTaviDoc;
class CTaviView;
}  // namespace tavi::playlist
namespace tavi::ui {
class CExplorerBar;
class CLanguageMenu;
}  // namespace tavi::ui

namespace tavi::frame {

class CMasterVolumeSlider;
class CPositionSlider;
class CommandActions;
class FindDialog;
struct FindRequest;
class FrameBars;
class FrameFullScreen;
class FrameTray;
class FrameRefresh;
class ViewSeekCallback;

// The main window: the playlist view as its client, the menus, tool bars, media control
// bar, explorer bar, status bar and tray icon. Commands arrive by id from every source
// (menus, keys, tool bars, tray) through OnCommand; the frame runs its own and hands the
// rest to the view. Lives on the UI thread.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    CMainFrame(playlist::CTaviDoc& document, app::ApplicationServices& services,
               QWidget* parent = nullptr);
    ~CMainFrame() override;

    // Reads "MainFrame" and shows the window: the stored placement, then full screen,
    // hide when minimised and always on top (only when a placement was stored).
    void ShowFromSettings();

    // Runs a command by id; false if no one handles it. Virtual so tests can watch keys.
    virtual bool OnCommand(int id);
    bool IsCommandEnabled(int id) const;
    bool IsCommandChecked(int id) const;
    // Posts a command to run from the event loop, as a posted menu command does.
    void PostCommand(int id);

    playlist::CTaviView& view() const { return *m_view; }
    playlist::CTaviDoc& document() const { return m_document; }
    app::ApplicationServices& services() const { return m_services; }
    CommandActions& actions() const { return *m_actions; }
    FrameTray& tray() const { return *m_tray; }
    FrameBars& bars() const { return *m_bars; }
    FrameFullScreen& fullScreen() const { return *m_fullScreen; }
    CPositionSlider* positionSlider() const;
    CMasterVolumeSlider* volumeSlider() const;
    ui::CExplorerBar* explorerBar() const;
    FindDialog* findDialog() const;
    ui::CLanguageMenu& languages() const { return *m_languages; }

    bool HideWhenMinimized() const { return m_hideWhenMinimized; }
    void SetHideWhenMinimized(bool on);
    bool IsAlwaysOnTop() const;
    void SetAlwaysOnTop(bool on);
    // Restore (tray menu and double click): show a hidden window, then restore it.
    void RestoreWindow();

    // The title: the playing entry's name, or "<playlist> - Tavi" when stopped.
    void ShowPlayingTitle(const QString& displayName);
    void ShowDocumentTitle();

    // Edit > Find: one modeless dialog, brought to the front when open.
    void OnFind();
    // One Find Next of the dialog, once every name is known.
    void FindNext(const FindRequest& request);

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // The dialogs and messages, virtual so that tests answer them.
    virtual void ShowMessage(const QString& text);

private:
    friend class FrameCommandTable;
    void ConnectPlayer();
    void IdleUpdate();
    void SaveFrameState();
    void OnFileOpen();
    void OnRecentFile(int index);
    // View > Language: the stored choice (on a first start the user's locale) at creation,
    // a chosen language at once, every persistent text then in the new language.
    void ActivateStoredLanguage();
    void OnLanguage(int index);
    void RetranslateUi();
    void RetitleUntitled();

    playlist::CTaviDoc& m_document;
    app::ApplicationServices& m_services;
    playlist::CTaviView* m_view;
    std::unique_ptr<ui::CLanguageMenu> m_languages;
    std::unique_ptr<CommandActions> m_actions;
    std::unique_ptr<ViewSeekCallback> m_seek;
    std::unique_ptr<FrameBars> m_bars;
    std::unique_ptr<FrameFullScreen> m_fullScreen;
    std::unique_ptr<FrameTray> m_tray;
    QPointer<FindDialog> m_find;
    QString m_untitledName;  // the untitled playlist's name in the language last shown
    bool m_hideWhenMinimized = false;
    bool m_playing = false;
    bool m_stateSaved = false;
    std::unique_ptr<FrameRefresh> m_refresh;  // last: it watches the members above
};

// The factory the application's start-up calls: a frame over the document, not yet shown.
std::unique_ptr<CMainFrame> CreateMainFrame(playlist::CTaviDoc& document,
                                            app::ApplicationServices& services);

}  // namespace tavi::frame
