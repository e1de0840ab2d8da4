#include "CTaviView.h"

#include "CDatabaseDlg.h"
#include "CPlayListBox.h"
#include "DialogFolder.h"
#include "EditPauseDialog.h"
#include "RenameFileDialog.h"
#include "app/settings/ViewSettings.h"
#include "engines/cd/CCdDatabase.h"
#include "engines/cd/CdServices.h"
#include "formats/DocumentFiles.h"
#include "playlist/CTaviDoc.h"
#include "playlist/CdDataEdit.h"
#include "playlist/CommandIds.h"
#include "playlist/DisplayName.h"
#include "playlist/EntryKinds.h"
#include "playlist/PlaylistEditor.h"
#include "playlist/PlaylistModel.h"
#include "playlist/WaitCursor.h"
#include "playlist/player/PlaylistPlayer.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMessageBox>
#include <QVBoxLayout>

namespace tavi::playlist {

CTaviView::CTaviView(CTaviDoc& document, QWidget* parent)
    : QWidget(parent),
      m_document(document),
      m_editor(document.editor()),
      m_list(new CPlayListBox(this)),
      m_player(new PlaylistPlayer(document, this)) {
    m_player->SetMessageHandlers([this](const QString& message) { ShowError(message); },
                                 [this](const QString& message) { ShowInformation(message); });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list);
    m_list->setPlaylistModel(&document.model());
    connectDocument();
}

CTaviView::~CTaviView() {
    settings::viewSettings().curSel = m_document.model().current();
    m_document.prompts() = {};
}

void CTaviView::connectDocument() {
    connect(m_list, &CMediaListBox::entryDragged, this,
            [this](int from, int target) { m_editor.DragMove(from, target); });
    // Dropped names are taken after the drag-and-drop exchange has finished, so the long
    // work of a big drop does not run inside it.
    connect(m_list, &CMediaListBox::filesDropped, this, &CTaviView::DropFiles,
            Qt::QueuedConnection);
    connect(m_list, &CMediaListBox::entryActivated, this,
            [this] { m_player->player().PlayDoubleClicked(); });
    // Escape ends Total Length wherever the focus is, while it runs.
    connect(m_player, &PlaylistPlayer::totalLengthRunning, this, [this] {
        if (!m_watchingEscape) {
            m_watchingEscape = true;
            qApp->installEventFilter(this);
        }
    });
    connect(m_player, &PlaylistPlayer::totalLengthFinished, this, [this] {
        m_watchingEscape = false;
        qApp->removeEventFilter(this);
    });
    connect(m_list, &CPlayListBox::moveUpKey, this, [this] { OnCommand(cmd::kMoveUp); });
    connect(m_list, &CPlayListBox::moveDownKey, this, [this] { OnCommand(cmd::kMoveDown); });
    connect(&m_document, &CDocument::viewsNeedUpdate, m_list->viewport(),
            qOverload<>(&QWidget::update));

    auto& prompts = m_document.prompts();
    prompts.reportError = [this](const QString& message) { ShowError(message); };
    prompts.askSaveChanges = [this](const QString& question) {
        const auto answer =
            QMessageBox::question(this, QApplication::applicationName(), question,
                                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        return answer == QMessageBox::Yes  ? CDocument::SaveAnswer::Yes
               : answer == QMessageBox::No ? CDocument::SaveAnswer::No
                                           : CDocument::SaveAnswer::Cancel;
    };
    prompts.askSavePath = [this](const QString& suggestion) {
        // The format written is chosen by the extension of the name alone.
        QFileDialog dialog(this, tr("Save As"), suggestion);
        dialog.setNameFilters(formats::PlaylistDialogFilters());
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
        dialog.setDefaultSuffix(formats::DefaultPlaylistExtension());
        if (dialog.exec() != QDialog::Accepted) {
            return QString();
        }
        FollowDialogFolder(dialog);
        return formats::WithDefaultExtension(dialog.selectedFiles().value(0));
    };
}

void CTaviView::RestoreSelection() {
    m_document.model().setCurrent(settings::viewSettings().curSel);
}

void CTaviView::SetShowPath(bool on) {
    settings::viewSettings().showPath = on;
    m_document.model().refreshAll();
}

void CTaviView::SetShowTrackNo(bool on) {
    settings::viewSettings().showTrackNo = on;
    m_document.model().refreshAll();
}

void CTaviView::DropFiles(const QStringList& paths) {
    // The editor adds a drop after any addition still running.
    for (const QString& path : m_editor.Drop(paths)) {
        ShowError(tr("File '%1' not found").arg(path));
    }
}

void CTaviView::OnDeleteFile() {
    const PlaylistModel& list = m_document.model();
    const int current = list.current();
    if (current < 0 || current >= list.count()) {
        return;
    }
    const QString path = list.path(current);
    if (QFileInfo(path).isFile() && ConfirmDeleteFile(list.displayName(current), path)) {
        m_editor.DeleteFile();
    }
}

void CTaviView::OnCopy(bool cut) {
    const QString text = cut ? m_editor.Cut() : m_editor.Copy();
    if (!text.isEmpty()) {
        QGuiApplication::clipboard()->setText(text);
    }
}

void CTaviView::OnPaste() {
    m_editor.Paste(QGuiApplication::clipboard()->text());
}

void CTaviView::OnRename() {
    const PlaylistModel& list = m_document.model();
    const int current = list.current();
    if (current < 0) {
        return;
    }
    const QString path = list.path(current);
    const QString extension = EntryExtension(path);
    if (extension == QLatin1String(".PAUSE")) {
        bool number = false;
        const int seconds = FileTitle(path).toInt(&number);
        if (auto length = PromptPauseLength(number ? seconds : 1)) {
            m_editor.RenamePause(*length);
        }
    } else if (extension == QLatin1String(".CDA")) {
        OnEditCdData(path);
    } else {
        if (auto title = PromptNewTitle(FileTitle(path))) {
            if (m_editor.RenameFile(*title) == PlaylistEditor::RenameResult::Failed) {
                const QString newPath = FolderPart(path) + *title + RawExtension(path);
                ShowError(tr("Failed to rename the file\n'%1' to\n'%2'.\nPlease check whether your "
                             "drive is "
                             "write protected.")
                              .arg(path, newPath));
            }
        }
    }
    m_list->setFocus();
}

// The names come from the title database: the entry's text stays, and the list shows the
// names written. The disc is asked again first, so the dialog edits the disc in the drive.
void CTaviView::OnEditCdData(const QString& entry) {
    engines::CCdDatabase& database = engines::CCdDatabase::Instance();
    {
        WaitCursor wait;
        database.IdentifyDisc();
    }
    if (database.GetTrackCount() == 0) {
        ShowError(engines::cd::NoCdFoundText());
        return;
    }
    CdDataEdit data(database, CdTrackNumberOf(entry) - 1);
    if (!PromptCdData(data)) {
        return;
    }
    if (!data.WriteTo(database)) {
        ShowError(database.LastError());
    }
    m_document.model().invalidateDisplayNames();
}

void CTaviView::OnAddAllCdTracks() {
    WaitCursor wait;
    if (!m_editor.AddAllCdTracks()) {
        ShowError(engines::cd::NoCdFoundText());
    }
}

bool CTaviView::PromptCdData(CdDataEdit& data) {
    CDatabaseDlg dialog(data, this);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    data = dialog.data();
    return true;
}

QStringList CTaviView::PromptAddTracks() {
    QFileDialog dialog(this, tr("Add Tracks"), QString(), tr("All Files (*)"));
    dialog.setFileMode(QFileDialog::ExistingFiles);
    if (dialog.exec() != QDialog::Accepted) {
        return QStringList();
    }
    FollowDialogFolder(dialog);
    return dialog.selectedFiles();
}

std::optional<int> CTaviView::PromptPauseLength(int initial) {
    EditPauseDialog dialog(initial, this);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.seconds();
}

std::optional<QString> CTaviView::PromptNewTitle(const QString& title) {
    RenameFileDialog dialog(title, this);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.newTitle();
}

// A box for a hidden or minimised window brings the window back first, so the box is seen
// with what it is about.
void CTaviView::ShowError(const QString& message) {
    QWidget* top = window();
    if (top != this && (top->isHidden() || top->isMinimized())) {
        top->showMinimized();
        top->showNormal();
    }
    QMessageBox::critical(this, QApplication::applicationName(), message);
}

bool CTaviView::ConfirmDeleteFile(const QString& displayName, const QString& path) {
    const QString question = tr("Move \"%1\" to the trash?\n%2").arg(displayName, path);
    return QMessageBox::question(this, QApplication::applicationName(), question,
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes) == QMessageBox::Yes;
}

void CTaviView::ShowInformation(const QString& message) {
    QMessageBox::information(this, QApplication::applicationName(), message);
}

bool CTaviView::eventFilter(QObject* watched, QEvent* event) {
    if (m_watchingEscape && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        m_player->CancelTotalLength();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace tavi::playlist
