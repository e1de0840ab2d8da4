#include "TaviFrame.h"

#include "AppCd.h"
#include "app/frame/CMainFrame.h"
#include "app/frame/CommandActions.h"
#include "engines/midi/CAWEManDll.h"
#include "engines/midi/CMidiTrack.h"
#include "playlist/CTaviDoc.h"
#include "playlist/player/PlaylistPlayer.h"
#include "playlist/view/CTaviView.h"
#include "ui/miniplaylist/MiniPlaylistWindow.h"
#include "ui/modcontrol/CModControlDlg.h"
#include "ui/options/CDXFilterPage.h"
#include "ui/options/CMetaDataPage.h"
#include "ui/options/CMidiResetDlg.h"
#include "ui/options/CResetWnd.h"
#include "ui/optionsheet/OptionsPageRegistry.h"
#include "ui/video/CMediaTrackVideoWnd.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace tavi::app {

namespace {

// The engine's pages; the sheet places them in its fixed order among the frame's own.
void RegisterMediaPages(playlist::CTaviDoc& document) {
    ui::OptionsPageRegistry& registry = ui::OptionsPageRegistry::instance();
    registry.Register(QStringLiteral("Meta Data"),
                      [](QWidget* parent) { return new ui::CMetaDataPage(parent); });
    registry.Register(QStringLiteral("MIDI"),
                      [](QWidget* parent) { return new ui::CMidiResetDlg(parent); });
    registry.Register(QStringLiteral("DirectX Plug-ins"), [&document](QWidget* parent) {
        // While a track plays, the page works on its live effect elements.
        return new ui::CDXFilterPage(document.GetCurrentTrack(), parent);
    });
}

// The MIDI engine's questions and messages, and the reset before ".mid" entries, with the
// main window as their parent.
void ConnectMidi(frame::CMainFrame* window) {
    engines::CAWEManDll::Instance();  // the sound-bank library is bound at start-up
    engines::SoundBankPrompts prompts;
    prompts.showMessage = [window](const QString& text) {
        QMessageBox::warning(window, QString(), text);
    };
    prompts.chooseSoundFont = [window] {
        QFileDialog dialog(window, QCoreApplication::translate("SoundFont", "Choose SoundFont"));
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setNameFilters(
            {QCoreApplication::translate("SoundFont", "SoundFont Bank (*.sbk *.sf2)"),
             QCoreApplication::translate("SoundFont", "All Files (*)")});
        dialog.setDefaultSuffix(QStringLiteral("sbk"));
        return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
    };
    engines::CMidiTrack::SetPrompts(std::move(prompts));
    window->view().playlistPlayer().player().SetMidiResetHandler(
        [window](const QString& resetFile) {
            if (!resetFile.isEmpty()) {
                ui::CResetWnd::Run(resetFile, window);
            }
        });
}

}  // namespace

CTaviApp::Frame CreateTaviFrame(playlist::CTaviDoc& document, ApplicationServices& services) {
    RegisterMediaPages(document);
    std::unique_ptr<frame::CMainFrame> mainFrame = frame::CreateMainFrame(document, services);
    ConnectMidi(mainFrame.get());
    ConnectCd(mainFrame.get());
    ui::CMediaTrackVideoWnd::Register();
    ui::CModControlDlg::Register();
    ui::MiniPlaylistWindow::Register(mainFrame.get());
    ui::CMediaTrackVideoWnd::Instance().SetKeyHandler(
        [actions = &mainFrame->actions()](QKeyCombination key) {
            return actions->DispatchKey(key);
        });
    CTaviApp::Frame result;
    result.view = &mainFrame->view();
    result.show = [window = mainFrame.get()] { window->ShowFromSettings(); };
    result.window = std::move(mainFrame);
    return result;
}

}  // namespace tavi::app
