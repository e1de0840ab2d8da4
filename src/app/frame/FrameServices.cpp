#include "FrameServices.h"

#include "CMainFrame.h"
#include "app/ApplicationServices.h"
#include "app/settings/LogFont.h"
#include "app/settings/PlayerSettings.h"
#include "app/settings/ViewSettings.h"
#include "engines/CMediaTrack.h"
#include "engines/cd/CdServices.h"
#include "formats/DocumentFiles.h"
#include "platform/errors/CException.h"
#include "playlist/CTaviDoc.h"
#include "playlist/DisplayName.h"
#include "playlist/PlaylistModel.h"
#include "playlist/view/CPlayListBox.h"
#include "playlist/view/CTaviView.h"
#include "playlist/view/DialogFolder.h"
#include "ui/explorer/CExplorerBar.h"
#include "ui/optionsheet/CMixerDlg.h"
#include "ui/optionsheet/COptionsSheet.h"
#include "ui/optionsheet/OptionsPageRegistry.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QProcess>
#include <QStandardPaths>
#include <QTreeView>
#include <QUrl>

namespace tavi::frame {

namespace {

const QString kMailProgram = QStringLiteral("xdg-email");

// The manual: installed next to the program's data, else the copy in the build tree.
QString ManualPath() {
    const QString installed = QDir(QCoreApplication::applicationDirPath())
                                  .filePath(QStringLiteral("../share/tavi/manual/index.html"));
    if (QFileInfo::exists(installed)) {
        return QFileInfo(installed).canonicalFilePath();
    }
    return QStringLiteral(TAVI_BUILD_MANUAL);
}

}  // namespace

void FrameServices::OpenFile(CMainFrame& frame) {
    QFileDialog dialog(&frame, QObject::tr("Open"));
    dialog.setNameFilters(formats::PlaylistDialogFilters());
    dialog.setDefaultSuffix(formats::DefaultPlaylistExtension());
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        playlist::FollowDialogFolder(dialog);
        frame.services().OpenDocumentFile(dialog.selectedFiles().constFirst());
    }
}

// Looked up once: the idle pass asks five times a second.
bool FrameServices::CanSend() {
    static const bool found = !QStandardPaths::findExecutable(kMailProgram).isEmpty();
    return found;
}

// The mail program reads the attachment after we return, so the copy stays in the cache
// folder until the next Send replaces it.
void FrameServices::SendPlaylist(CMainFrame& frame) {
    playlist::CTaviDoc& document = frame.document();
    const QString folder =
        QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + QStringLiteral("/send");
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    QString title = QFileInfo(document.GetTitle()).completeBaseName();
    if (title.isEmpty()) {
        title = playlist::CDocument::untitledName();
    }
    const QString path = QDir(folder).filePath(title + QStringLiteral(".alb"));
    try {
        formats::SavePlaylistFromDocument(path, document.model().paths());
    } catch (const errors::CException& error) {
        frame.document().prompts().reportError(formats::DocumentSaveErrorMessage(&error));
        return;
    }
    QProcess::startDetached(kMailProgram,
                            {QStringLiteral("--subject"), title, QStringLiteral("--attach"), path});
}

void FrameServices::OpenManual(CMainFrame& frame) {
    const QString path = ManualPath();
    if (!QFileInfo::exists(path) || !QDesktopServices::openUrl(QUrl::fromLocalFile(path))) {
        frame.document().prompts().reportError(QObject::tr("Cannot open the manual %1.").arg(path));
    }
}

void FrameServices::ApplyPlaylistFont(CMainFrame& frame) {
    if (const auto& font = settings::viewSettings().font) {
        frame.view().listBox()->setFont(font->toQFont());
    }
}

void FrameServices::ChooseFont(CMainFrame& frame) {
    bool ok = false;
    const QFont font =
        QFontDialog::getFont(&ok, frame.view().listBox()->font(), &frame, QObject::tr("Font"));
    if (!ok) {
        return;
    }
    auto& stored = settings::viewSettings().font;
    stored =
        stored ? settings::LogFont::fromQFont(font, *stored) : settings::LogFont::fromQFont(font);
    ApplyPlaylistFont(frame);
}

void FrameServices::MoveCdDoor(bool open) {
    if (open) {
        engines::cd::OpenCdDoor();
    } else {
        engines::cd::CloseCdDoor();
    }
}

void FrameServices::StartMixer(CMainFrame& frame) {
    const QString program = settings::playerSettings().mixer;
    if (!ui::StartProgram(program)) {
        frame.document().prompts().reportError(
            QObject::tr("Cannot start the mixer %1.").arg(program));
    }
}

void FrameServices::ShowOptions(CMainFrame& frame) {
    const QString mediaDir = settings::playerSettings().mediaDir;
    ui::COptionsSheet sheet(ui::OptionsPageRegistry::instance(), &frame);
    QObject::connect(&sheet, &ui::COptionsSheet::applied, &frame, [&frame] {
        frame.services().SaveSettings();
        // "UseMetaData" or the name pattern may have changed: the list names its rows anew,
        // and the title of the track that plays follows.
        frame.document().model().invalidateDisplayNames();
        if (engines::CMediaTrack* track = frame.document().GetCurrentTrack()) {
            frame.ShowPlayingTitle(playlist::GetDisplayName(track->GetFileName()));
        }
    });
    if (sheet.exec() == QDialog::Accepted && settings::playerSettings().mediaDir != mediaDir) {
        frame.explorerBar()->SetRoot(settings::playerSettings().mediaDir);
    }
}

void FrameServices::MoveToPane(CMainFrame& frame, bool next) {
    QList<QWidget*> panes{frame.view().listBox()};
    if (frame.explorerBar()->isVisible()) {
        panes.append(frame.explorerBar()->tree());
    }
    qsizetype index = 0;
    for (qsizetype i = 0; i < panes.size(); ++i) {
        if (panes[i]->hasFocus()) {
            index = i;
        }
    }
    index = (index + (next ? 1 : panes.size() - 1)) % panes.size();
    panes[index]->setFocus(Qt::ShortcutFocusReason);
}

}  // namespace tavi::frame
