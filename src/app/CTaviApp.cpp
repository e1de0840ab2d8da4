#include "CTaviApp.h"

#include "IncomingFiles.h"
#include "SessionRecovery.h"
#include "SettingsFolderWatch.h"
#include "app/settings/AppKey.h"
#include "app/settings/PlaybackSettings.h"
#include "app/settings/PlayerSettings.h"
#include "app/settings/SettingsKeys.h"
#include "app/settings/SettingsValues.h"
#include "app/settings/ViewSettings.h"
#include "engines/directshow/CDirectShowPersistFilterList.h"
#include "platform/fs/AbsoluteLocalPath.h"
#include "platform/fs/MediaLocation.h"
#include "platform/registry/Registry.h"
#include "playlist/CTaviDoc.h"
#include "playlist/EntryKinds.h"
#include "playlist/PlaylistEditor.h"
#include "playlist/PlaylistFileAccess.h"
#include "playlist/PlaylistModel.h"
#include "playlist/view/CPlayListBox.h"
#include "playlist/view/CTaviView.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QSystemTrayIcon>
#include <QTimer>

#include <cstdio>
#include <utility>

namespace tavi::app {

namespace {

reg::RegKey AppKey(const QString& subKey = QString()) {
    return settings::openApplicationKey(reg::Registry::instance(), subKey);
}

}  // namespace

bool CTaviApp::IsUnplayableFile(const QString& path) {
    const QFileInfo info(path);
    return info.isFile() && !playlist::IsMediaFile(path) && !playlist::IsPlaylistFile(path) &&
           !playlist::CTaviDoc::IsCdRoot(path);
}

QString CTaviApp::UnplayableFileText(const QString& path) {
    return QCoreApplication::translate(
               "CTaviApp",
               "%1\n\nThis file is neither a media file nor a playlist; Tavi cannot play it.")
        .arg(path);
}

CTaviApp::Frame CreatePlainFrame(playlist::CTaviDoc& document, ApplicationServices&) {
    CTaviApp::Frame frame;
    frame.window = std::make_unique<QMainWindow>();
    frame.view = new playlist::CTaviView(document, frame.window.get());
    frame.window->setCentralWidget(frame.view);
    frame.window->setWindowTitle(QStringLiteral("Tavi"));
    frame.window->resize(480, 360);
    return frame;
}

CTaviApp::CTaviApp() : m_frameFactory(CreatePlainFrame) {}

CTaviApp::~CTaviApp() {
    if (m_frame.window) {
        CloseMainWindow();
    }
}

bool CTaviApp::InitInstance(const QStringList& arguments) {
    WatchSettingsFolders();
    m_recentFiles.load(AppKey());
    RestorePlaylistDir();
    m_commandLine = CommandLine::Parse(arguments);
    if (m_commandLine.command == CommandLine::Command::Register ||
        m_commandLine.command == CommandLine::Command::Unregister) {
        // The desktop files and the session-bus service are installed with the program;
        // there is nothing to write into the user's registry.
        return false;
    }
    LoadSettings();
    m_document = std::make_unique<playlist::CTaviDoc>();
    CreateIncomingFiles();
    QObject::connect(m_document.get(), &playlist::CDocument::recentFileAdded,
                     [this](const QString& path) { m_recentFiles.add(path); });
    if (!ProcessShellCommand()) {
        return false;
    }
    EnsureMainWindow();
    if (m_frame.show) {
        m_frame.show();
    } else {
        m_frame.window->show();
    }
    if (SessionRecovery().Exists()) {
        QTimer::singleShot(0, m_frame.window.get(), [this] { OfferRecovery(); });
    }
    // The files handed in go once the event loop runs: the window is shown by then and the
    // bus name taken (the automation server is made right after this returns).
    QTimer::singleShot(0, m_incoming.get(), [this] { m_incoming->SetReady(); });
    return true;
}

// Told once the window is up, over it; the program goes on with the settings it has.
void CTaviApp::WatchSettingsFolders() {
    m_settingsWatch = std::make_unique<SettingsFolderWatch>(
        SettingsFolderWatch::DefaultFolders(), [this](const QString& message) {
            QTimer::singleShot(0, QCoreApplication::instance(), [this, message] {
                auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Tavi"), message,
                                            QMessageBox::Ok, m_frame.window.get());
                box->setAttribute(Qt::WA_DeleteOnClose);
                box->setModal(false);
                box->show();
            });
        });
    m_settingsWatch->Start();
}

void CTaviApp::CreateIncomingFiles() {
    IncomingFiles::Actions actions;
    actions.open = [this](const QString& path) { OpenDocumentFile(path); };
    actions.add = [this](const QStringList& paths) {
        if (m_frame.view) {
            m_frame.view->DropFiles(paths);
        }
    };
    actions.addAndPlay = [this](const QStringList& paths) { AddAndPlay(paths); };
    actions.raise = [this] { RaiseMainWindow(); };
    m_incoming = std::make_unique<IncomingFiles>(std::move(actions));
}

void CTaviApp::HandIn(const QStringList& files, bool moreMayFollow) {
    if (m_incoming) {
        m_incoming->HandIn(files, moreMayFollow);
    }
}

// Several files opened at once: the list holds them all and plays the first of them.
void CTaviApp::AddAndPlay(const QStringList& paths) {
    if (!m_frame.view) {
        return;
    }
    playlist::PlaylistModel& list = m_document->model();
    const bool inOrder = !m_document->editor().IsBusy();  // else they go after that addition
    const int first = list.count();
    const QStringList missing = m_document->editor().Drop(paths);
    if (inOrder && list.count() > first) {
        list.setCurrent(first);
        m_document->PlayFile(list.path(first));
    }
    // Said after the first file started: a box waits for the user.
    const auto& report = m_document->prompts().reportError;
    for (const QString& path : report ? missing : QStringList()) {
        report(QCoreApplication::translate("tavi::playlist::CTaviView", "File '%1' not found")
                   .arg(path));
    }
}

void CTaviApp::RaiseMainWindow() {
    if (QMainWindow* window = m_frame.window.get()) {
        if (window->isMinimized() || window->isHidden()) {
            window->showNormal();
        }
        window->raise();
        window->activateWindow();
    }
}

void CTaviApp::RestorePlaylistDir() {
    const QString dir = settings::readString(AppKey(settings::keys::kSettings),
                                             settings::keys::kPlaylistDir, QString());
    if (!dir.isEmpty()) {
        QDir::setCurrent(dir);  // a folder that is gone is ignored
    }
}

void CTaviApp::LoadSettings() {
    const reg::RegKey settingsKey = AppKey(settings::keys::kSettings);
    settings::loadPlayerSettings(settingsKey, settings::playerSettings());
    settings::loadMediaDir(settingsKey, settings::playerSettings());
    settings::loadPlaybackSettings(settingsKey, settings::playbackSettings());
    settings::loadViewSettings(settingsKey, settings::viewSettings(),
                               QSystemTrayIcon::isSystemTrayAvailable());
    engines::directShowFilters().Load(AppKey());
}

void CTaviApp::SaveSettings() {
    reg::RegKey settingsKey = AppKey(settings::keys::kSettings);
    settings::savePlayerSettings(settingsKey, settings::playerSettings());
    settings::saveMediaDir(settingsKey, settings::playerSettings());
    settings::savePlaybackSettings(settingsKey, settings::playbackSettings());
    const bool listExists = m_frame.view != nullptr;
    if (listExists) {
        settings::viewSettings().curSel = m_document->model().current();
    }
    settings::saveViewSettings(settingsKey, settings::viewSettings(), listExists);
    reg::RegKey appKey = AppKey();
    engines::directShowFilters().Save(appKey);
    SaveRecentFiles();
}

void CTaviApp::EndSession() {
    if (m_ending || !m_document) {
        QCoreApplication::exit(0);
        return;
    }
    m_ending = true;
    KeepPlaylistForNextSession();
    if (m_frame.window) {
        SaveSettings();
    }
    reg::Registry::instance().flush();
    // exit, not quit: quit would first try to close the windows, which asks questions.
    QCoreApplication::exit(0);
}

// Nothing may ask from here on: the exit's own rule saves with "SaveOnExit", and what it
// leaves unsaved goes to the recovery copy. Errors go to standard error.
void CTaviApp::KeepPlaylistForNextSession() {
    m_document->prompts().askSaveChanges = [](const QString&) {
        return playlist::CDocument::SaveAnswer::No;
    };
    auto& report = m_document->prompts().reportError;
    auto previous = std::exchange(report, [](const QString& message) {
        std::fprintf(stderr, "tavi: %s\n", qPrintable(message));
    });
    m_document->SetClosing(true);
    m_document->SaveModified();
    const SessionRecovery recovery;
    if (m_document->IsModified() && recovery.Keep(*m_document)) {
        std::fprintf(stderr, "tavi: the unsaved playlist is kept in %s\n",
                     qPrintable(recovery.FilePath()));
        m_document->SetModifiedFlag(false);
    }
    report = std::move(previous);
}

void CTaviApp::OfferRecovery() {
    const SessionRecovery recovery;
    if (!recovery.Exists() || !m_document) {
        return;
    }
    std::fprintf(stderr, "tavi: the unsaved playlist of the last session is in %s\n",
                 qPrintable(recovery.FilePath()));
    const QString question =
        QCoreApplication::translate(
            "CTaviApp",
            "Tavi was ended without saving the playlist. Its entries were kept in "
            "%1.\n\nOpen them now?")
            .arg(recovery.FilePath());
    const bool open = m_askRecover
                          ? m_askRecover(question)
                          : QMessageBox::question(m_frame.window.get(), QStringLiteral("Tavi"),
                                                  question) == QMessageBox::Yes;
    if (m_ending) {
        return;  // the session ended while asking: the copy waits for the next start
    }
    if (!open) {
        recovery.Discard();
    } else if (m_document->SaveModified()) {
        recovery.RestoreInto(*m_document);
    }
}

void CTaviApp::SaveRecentFiles() {
    reg::RegKey appKey = AppKey();
    m_recentFiles.save(appKey);
}

void CTaviApp::EnsureMainWindow() {
    if (!m_frame.window) {
        if (m_document->GetPathName().isEmpty() && m_document->model().count() == 0) {
            m_document->NewDocument();
        }
        m_frame = m_frameFactory(*m_document, *this);
    }
}

// A playlist or folder named first is opened now (failing ends the start); a media file is
// played, and the other files added, once the window is up.
bool CTaviApp::ProcessShellCommand() {
    if (m_commandLine.command != CommandLine::Command::FileOpen) {
        ReopenRecentPlaylist();
        return true;
    }
    QStringList files;
    for (const QString& file : m_commandLine.files) {
        files.append(fs::IsStreamUrl(file) ? file : fs::AbsoluteLocalPath(file));
    }
    const QString& first = files.first();
    if ((playlist::IsMediaFile(first) && !playlist::IsMiniPlaylistFile(first)) ||
        IsUnplayableFile(first)) {
        m_incoming->HandIn(files, m_commandLine.dde);  // its message needs the window
        return true;
    }
    if (!QFileInfo::exists(first) || !OpenDocumentFile(first)) {
        return false;  // a missing playlist ends the start quietly
    }
    m_incoming->AddLater(files.mid(1));
    return true;
}

// A start without a file reopens the newest recent playlist and selects the saved entry.
void CTaviApp::ReopenRecentPlaylist() {
    const QString recent = m_recentFiles.isEmpty() ? QString() : m_recentFiles.entries().first();
    if (!recent.isEmpty() && QFileInfo::exists(recent)) {
        auto& report = m_document->prompts().reportError;
        auto previous = std::exchange(report, [](const QString&) {});  // no message from this step
        const bool opened = OpenDocumentFile(recent);
        if (!m_frame.view) {
            report = std::move(previous);  // a window made meanwhile has set its own
        }
        if (opened) {
            EnsureMainWindow();
            m_frame.view->RestoreSelection();
            return;
        }
    }
    m_document->NewDocument();
}

bool CTaviApp::OpenDocumentFile(const QString& path) {
    if (playlist::IsMediaFile(path) && !playlist::IsMiniPlaylistFile(path)) {
        EnsureMainWindow();  // a new empty playlist first when there is no window yet
        m_document->PlayFile(path);
        return true;
    }
    if (IsUnplayableFile(path)) {
        // A picture or text beside the songs: the list, its history and its file name stay,
        // so that Save cannot write a playlist over it.
        if (m_document->prompts().reportError) {
            m_document->prompts().reportError(UnplayableFileText(path));
        }
        return false;
    }
    const bool opened = m_document->OpenDocumentFile(path);
    if (opened) {
        m_recentFiles.add(path);
    }
    return opened;
}

void CTaviApp::NewDocument() {
    m_document->NewDocument();
}

void CTaviApp::CloseMainWindow() {
    if (!m_frame.window) {
        return;
    }
    SaveSettings();
    if (m_frame.window->isVisible()) {
        m_frame.window->close();  // a window the user closed has run its close steps already
    }
    m_frame.view = nullptr;
    m_frame.window.reset();
}

void CTaviApp::ExitInstance() {
    reg::RegKey key = AppKey(settings::keys::kSettings);
    settings::writeString(key, settings::keys::kPlaylistDir, QDir::currentPath());
    reg::Registry::instance().flush();
}

}  // namespace tavi::app
