#include "CMainFrame.h"

#include "CMasterVolumeSlider.h"
#include "CPositionSlider.h"
#include "CPositionSliderCallback.h"
#include "CommandActions.h"
#include "EntryFileMenu.h"
#include "FindDialog.h"
#include "FrameBars.h"
#include "FrameCommandIds.h"
#include "FrameFullScreen.h"
#include "FrameIcons.h"
#include "FrameRefresh.h"
#include "FrameServices.h"
#include "FrameTray.h"
#include "WindowPlacementRules.h"
#include "app/ApplicationServices.h"
#include "app/settings/AppKey.h"
#include "app/settings/MainFrameSettings.h"
#include "app/settings/PlayerSettings.h"
#include "app/settings/RecentFileList.h"
#include "app/settings/SettingsKeys.h"
#include "playlist/CTaviDoc.h"
#include "playlist/PlaylistModel.h"
#include "playlist/player/PlaylistPlayer.h"
#include "playlist/view/CPlayListBox.h"
#include "playlist/view/CTaviView.h"
#include "ui/explorer/CExplorerBar.h"
#include "ui/language/CLanguageMenu.h"
#include "ui/language/UserLocale.h"
#include "ui/optionsheet/OptionsPageRegistry.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QWindow>

#include <optional>

namespace tavi::frame {

// The view's player seeks for the position slider.
class ViewSeekCallback : public CPositionSliderCallback {
public:
    explicit ViewSeekCallback(playlist::CTaviView& view) : m_view(view) {}
    void Seek(double seconds) override { m_view.playlistPlayer().player().SeekTo(seconds); }

private:
    playlist::CTaviView& m_view;
};

namespace {

// The names of dropped files: local paths, other URLs as they are.
QStringList DroppedFiles(const QMimeData* data) {
    QStringList files;
    if (data && data->hasUrls()) {
        for (const QUrl& url : data->urls()) {
            files.append(url.isLocalFile() ? url.toLocalFile() : url.toString());
        }
    }
    return files;
}

}  // namespace

CMainFrame::CMainFrame(playlist::CTaviDoc& document, app::ApplicationServices& services,
                       QWidget* parent)
    : QMainWindow(parent),
      m_document(document),
      m_services(services),
      m_view(new playlist::CTaviView(document, this)) {
    setObjectName(QStringLiteral("MainFrame"));
    setWindowIcon(ResourceIcon(kAppIcon));
    setAcceptDrops(true);
    setCentralWidget(m_view);
    setDockOptions(QMainWindow::AnimatedDocks | QMainWindow::AllowTabbedDocks);
    resize(760, 520);

    m_languages = std::make_unique<ui::CLanguageMenu>([this](int id) { OnCommand(id); });
    m_untitledName = playlist::CDocument::untitledName();
    ActivateStoredLanguage();
    RetitleUntitled();
    m_actions = std::make_unique<CommandActions>(this, [this](int id) { OnCommand(id); });
    m_actions->BuildMenuBar(menuBar());
    m_actions->SetLanguageFiller(
        [this](QMenu* menu) { m_languages->FillMenu(menu, cmd::kLanguageFirst); });
    m_actions->SetExplorerFiller([this](QMenu* menu) {
        const playlist::PlaylistModel& list = m_document.model();
        if (list.current() >= 0) {
            FillEntryFileMenu(menu, list.path(list.current()), this);
        }
    });
    m_actions->SetRecentFilesFiller([this](QMenu* menu) {
        const QStringList& files = m_services.RecentFiles().entries();
        for (int i = 0; i < files.size() && i <= cmd::kRecentLast - cmd::kRecentFirst; ++i) {
            menu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(files[i]),
                            [this, i] { OnCommand(cmd::kRecentFirst + i); });
        }
        menu->setEnabled(true);
        if (files.isEmpty()) {
            menu->addAction(tr("(empty)"))->setEnabled(false);
        }
    });

    m_seek = std::make_unique<ViewSeekCallback>(*m_view);
    m_bars = std::make_unique<FrameBars>(*this, *m_actions);
    m_bars->positionSlider()->SetCallback(m_seek.get());
    m_bars->positionSlider()->SetTrack(document.GetCurrentTrack());
    m_fullScreen = std::make_unique<FrameFullScreen>(*this);
    m_tray = std::make_unique<FrameTray>(*this);

    auto* contextMenu = new QMenu(this);
    contextMenu->setObjectName(QStringLiteral("PlaylistContextMenu"));
    m_actions->FillMenu(contextMenu, PlaylistContextMenuTable());
    m_view->listBox()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_view->listBox(), &QWidget::customContextMenuRequested, this,
            [this, contextMenu](const QPoint& at) {
                contextMenu->popup(m_view->listBox()->viewport()->mapToGlobal(at));
            });

    ui::RegisterStandardOptionsPages();
    // "MediaDir" belongs to the frame: read now, written when the window closes.
    settings::loadMediaDir(
        settings::openApplicationKey(reg::Registry::instance(), settings::keys::kSettings),
        settings::playerSettings());
    m_bars->explorerBar()->SetRoot(settings::playerSettings().mediaDir);
    connect(m_bars->explorerBar(), &ui::CExplorerBar::openRequested, this,
            [this](const QString& path) { m_services.OpenDocumentFile(path); });
    FrameServices::ApplyPlaylistFont(*this);
    m_bars->RestoreLayout();
    ConnectPlayer();
    m_refresh = std::make_unique<FrameRefresh>(*this, *positionSlider(), m_view->playlistPlayer());
    m_tray->Add();
    ShowDocumentTitle();
    connect(&document, &playlist::CDocument::titleChanged, this, [this] {
        if (!m_playing) {
            ShowDocumentTitle();
        }
    });
}

CMainFrame::~CMainFrame() {
    if (m_find) {
        delete m_find;
    }
}

CPositionSlider* CMainFrame::positionSlider() const {
    return m_bars->positionSlider();
}
CMasterVolumeSlider* CMainFrame::volumeSlider() const {
    return m_bars->volumeSlider();
}
ui::CExplorerBar* CMainFrame::explorerBar() const {
    return m_bars->explorerBar();
}
FindDialog* CMainFrame::findDialog() const {
    return m_find.data();
}

void CMainFrame::ConnectPlayer() {
    engines::CPlayer& player = m_view->playlistPlayer().player();
    connect(&player, &engines::CPlayer::trackStarted, this, &CMainFrame::ShowPlayingTitle);
    connect(&player, &engines::CPlayer::trackStopped, this, [this] {
        m_playing = false;
        ShowDocumentTitle();
    });
    connect(&player, &engines::CPlayer::trayStateChanged, m_tray.get(), &FrameTray::OnPlayerState);
    connect(&m_document, &playlist::CTaviDoc::currentTrackChanged, positionSlider(),
            &CPositionSlider::SetTrack);
    connect(&m_view->playlistPlayer(), &playlist::PlaylistPlayer::idle, this,
            &CMainFrame::IdleUpdate);
    // The pane's own text comes back when the sum is done, as does the status text.
    auto savedPane = std::make_shared<std::optional<QString>>();
    connect(&m_view->playlistPlayer(), &playlist::PlaylistPlayer::totalLengthRunning, this,
            [this, savedPane](const QString& status, const QString& pane) {
                if (!*savedPane) {
                    *savedPane = m_bars->lengthPane()->text();
                }
                statusBar()->showMessage(status);
                m_bars->lengthPane()->setText(pane);
            });
    connect(&m_view->playlistPlayer(), &playlist::PlaylistPlayer::totalLengthFinished, this,
            [this, savedPane] {
                statusBar()->clearMessage();
                if (*savedPane) {
                    m_bars->lengthPane()->setText(**savedPane);
                    savedPane->reset();
                }
            });
}

// The idle pass: the panes, the menu and tool-bar states, and the slider (a pass comes at
// once when the player's state changes: a resumed track's thumb moves on without waiting for
// the slider's slow tick of a paused one).
void CMainFrame::IdleUpdate() {
    CPositionSlider* slider = positionSlider();
    slider->Refresh();
    const std::optional<double> dragged =
        slider->IsDragging() ? std::optional<double>(slider->GetThumbSeconds()) : std::nullopt;
    m_bars->positionPane()->setText(m_view->playlistPlayer().PositionPaneText(dragged));
    const playlist::PlaylistPlayer::LengthPane length = m_view->playlistPlayer().LengthPaneState();
    m_bars->lengthPane()->setText(length.text);
    m_bars->lengthPane()->setEnabled(length.enabled);
    m_actions->Update([this](int id) { return IsCommandEnabled(id); },
                      [this](int id) { return IsCommandChecked(id); });
    volumeSlider()->UpdateFromMixer();
}

void CMainFrame::PostCommand(int id) {
    QTimer::singleShot(0, this, [this, id] { OnCommand(id); });
}

void CMainFrame::ShowPlayingTitle(const QString& displayName) {
    m_playing = true;
    setWindowTitle(displayName);
    m_tray->SetTooltip(displayName);
}

void CMainFrame::ShowDocumentTitle() {
    const QString title = m_document.GetTitle().isEmpty() ? playlist::CDocument::untitledName()
                                                          : m_document.GetTitle();
    setWindowTitle(title + QStringLiteral(" - ") + QApplication::applicationDisplayName());
}

void CMainFrame::OnFind() {
    if (m_find) {
        m_find->show();
        m_find->raise();
        m_find->activateWindow();
        return;
    }
    m_find = new FindDialog(this);
    connect(m_find, &FindDialog::findNext, this, [this](const FindRequest& request) {
        // The search looks at names the list may not have read yet.
        m_document.model().whenAllNamesKnown(m_find, [this, request] { FindNext(request); });
    });
    m_find->show();
}

void CMainFrame::FindNext(const FindRequest& request) {
    playlist::PlaylistModel& list = m_document.model();
    const int row = FindInPlaylist(request, list.current(), list.count(),
                                   [&list](int r) { return list.displayName(r); });
    m_find->ShowNotFound(row < 0);
    if (row >= 0) {
        list.setCurrent(row);
    }
}

bool CMainFrame::IsAlwaysOnTop() const {
    return windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

void CMainFrame::SetAlwaysOnTop(bool on) {
    const bool visible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, on);
    if (visible) {
        show();  // changing the flags hides the window
    }
}

void CMainFrame::SetHideWhenMinimized(bool on) {
    m_hideWhenMinimized = on;
    if (on && isMinimized()) {
        hide();
    } else if (!on && isHidden()) {
        showMinimized();
    }
}

void CMainFrame::RestoreWindow() {
    if (isHidden()) {
        show();
    }
    if (isMinimized()) {
        showNormal();
    }
    raise();
    activateWindow();
}

void CMainFrame::ActivateStoredLanguage() {
    const reg::RegKey key =
        settings::openApplicationKey(reg::Registry::instance(), settings::keys::kMainFrame);
    QString code = settings::loadMainFrameSettings(key).languageCode;
    if (code.isEmpty()) {
        code = m_languages->CodeForLocales(ui::UserLocaleCodes());
    }
    m_languages->SelectByCode(code);
}

void CMainFrame::OnLanguage(int index) {
    if (index == m_languages->ActiveIndex()) {
        return;
    }
    if (m_languages->Activate(index)) {
        RetranslateUi();  // the language change event comes too, when it reaches the window
    }
}

void CMainFrame::RetranslateUi() {
    if (!m_actions) {
        return;  // still being made: the texts come in the active language
    }
    m_actions->Retranslate();
    m_bars->Retranslate();
    RetitleUntitled();
    m_document.model().invalidateDisplayNames();
    statusBar()->clearMessage();
    if (!m_playing) {
        ShowDocumentTitle();
    }
    IdleUpdate();
}

// A playlist never saved is titled in the language now active.
void CMainFrame::RetitleUntitled() {
    if (m_document.GetPathName().isEmpty() && m_document.GetTitle() == m_untitledName) {
        m_document.SetTitle(playlist::CDocument::untitledName());
    }
    m_untitledName = playlist::CDocument::untitledName();
}

void CMainFrame::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) {
        RetranslateUi();
    }
    if (event->type() == QEvent::WindowStateChange && m_hideWhenMinimized && isMinimized()) {
        QTimer::singleShot(0, this, [this] {
            if (isMinimized()) {
                hide();  // only the tray icon remains
            }
        });
    }
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedFiles(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

// Drops on the bars and the frame itself (the playlist takes its own): one file opens as
// if it came from outside, several are added to the playlist as a drop on it would.
void CMainFrame::dropEvent(QDropEvent* event) {
    const QStringList files = DroppedFiles(event->mimeData());
    if (files.isEmpty()) {
        return;
    }
    event->acceptProposedAction();
    QTimer::singleShot(0, this, [this, files] {
        if (files.size() == 1) {
            m_services.OpenDocumentFile(files.constFirst());
        } else {
            m_view->DropFiles(files);
        }
    });
}

void CMainFrame::OnRecentFile(int index) {
    const QStringList& files = m_services.RecentFiles().entries();
    if (index >= 0 && index < files.size()) {
        m_services.OpenDocumentFile(files[index]);
    }
}

void CMainFrame::ShowMessage(const QString& text) {
    QMessageBox::information(this, QApplication::applicationDisplayName(), text);
}

void CMainFrame::ShowFromSettings() {
    const reg::RegKey key =
        settings::openApplicationKey(reg::Registry::instance(), settings::keys::kMainFrame);
    const settings::MainFrameSettings stored = settings::loadMainFrameSettings(key);
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect desktop = screen ? screen->virtualGeometry() : QRect();
    const PlacementDecision decision = DecidePlacement(stored.windowPos, true, desktop);
    if (decision.normalGeometry) {
        setGeometry(*decision.normalGeometry);
    }
    switch (decision.showCommand.value_or(ShowNormal)) {
        case ShowMinimized:
            showMinimized();
            break;
        case ShowMaximized:
            showMaximized();
            break;
        default:
            show();
            break;
    }
    if (decision.placementRead) {
        if (stored.fullScreen) {
            m_fullScreen->Enter();
        }
        m_hideWhenMinimized = stored.hideWhenMinimized;
        if (stored.alwaysOnTop) {
            SetAlwaysOnTop(true);
        }
    }
}

void CMainFrame::SaveFrameState() {
    if (m_stateSaved) {
        return;
    }
    m_stateSaved = true;
    settings::MainFrameSettings state;
    state.fullScreen = m_fullScreen->IsOn();
    if (state.fullScreen) {
        m_fullScreen->Leave();
    }
    const uint32_t show = isMinimized()   ? ShowMinimized
                          : isMaximized() ? ShowMaximized
                                          : ShowNormal;
    state.windowPos = PlacementOf(show, normalGeometry().isValid() ? normalGeometry() : geometry());
    state.hideWhenMinimized = m_hideWhenMinimized;
    state.alwaysOnTop = IsAlwaysOnTop();
    reg::RegKey key =
        settings::openApplicationKey(reg::Registry::instance(), settings::keys::kMainFrame);
    state.languageCode = m_languages->ActiveLanguage().isoCode;
    settings::saveMainFrameSettings(key, state);
    m_bars->SaveLayout();
    reg::RegKey settingsKey =
        settings::openApplicationKey(reg::Registry::instance(), settings::keys::kSettings);
    settings::saveMediaDir(settingsKey, settings::playerSettings());
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    m_document.SetClosing(true);
    const bool wasFullScreen = m_fullScreen->IsOn();
    SaveFrameState();
    if (!m_document.SaveModified()) {  // the user chose to stay
        m_document.SetClosing(false);
        m_stateSaved = false;
        if (wasFullScreen) {
            m_fullScreen->Enter();
        }
        event->ignore();
        return;
    }
    if (m_find) {
        m_find->close();
    }
    event->accept();
}

std::unique_ptr<CMainFrame> CreateMainFrame(playlist::CTaviDoc& document,
                                            app::ApplicationServices& services) {
    return std::make_unique<CMainFrame>(document, services);
}

}  // namespace tavi::frame
