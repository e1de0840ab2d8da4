#include "CTaviView.h"

#include "CPlayListBox.h"
#include "EditPauseDialog.h"
#include "RenameFileDialog.h"
#include "ViewPlayer.h"
#include "app/settings/ViewSettings.h"
#include "formats/DocumentFiles.h"
#include "playlist/CTaviDoc.h"
#include "playlist/CommandIds.h"
#include "playlist/EntryKinds.h"
#include "playlist/PlaylistEditor.h"
#include "playlist/PlaylistModel.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QMessageBox>
#include <QMimeData>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>
#include <iterator>

namespace tavi::playlist {

CTaviView::CTaviView(CTaviDoc& document, QWidget* parent)
    : QWidget(parent),
      m_document(document),
      m_editor(document.editor()),
      m_list(new CPlayListBox(this)),
      m_player(new ViewPlayer(document, this)) {
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
    m_editor.hooks().keepResponsive = nullptr;
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
    m_list->viewport()->installEventFilter(this);
    connect(m_list, &CPlayListBox::moveUpKey, this, [this] { OnCommand(cmd::kMoveUp); });
    connect(m_list, &CPlayListBox::moveDownKey, this, [this] { OnCommand(cmd::kMoveDown); });
    connect(&m_document, &CDocument::viewsNeedUpdate, m_list->viewport(),
            qOverload<>(&QWidget::update));
    m_editor.hooks().keepResponsive = [this] { keepResponsive(); };

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
        return dialog.exec() == QDialog::Accepted
                   ? formats::WithDefaultExtension(dialog.selectedFiles().value(0))
                   : QString();
    };
}

// Lets the window repaint (and show the wait cursor) during a long addition; user input
// waits, so nothing can change the list in the middle.
void CTaviView::keepResponsive() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

bool CTaviView::OnCommand(int id) {
    if (id == cmd::kTotalLength) {
        m_player->TotalLength();
        return true;
    }
    if (engines::CPlayer::IsPlayerCommand(id)) {
        if (m_player->player().IsCommandEnabled(id)) {  // a disabled command does nothing
            m_player->player().ExecuteCommand(id);
        }
        return true;
    }
    if (!IsKnownCommand(id)) {
        return false;
    }
    if (!IsCommandEnabled(id)) {
        return true;  // handled: a disabled command does nothing
    }
    switch (id) {
        case cmd::kAddTracks:
            m_editor.AddTracks(PromptAddTracks());
            break;
        case cmd::kAddPause:
            m_editor.AddPause();
            break;
        case cmd::kRemove:
            m_editor.Remove();
            break;
        case cmd::kClearAll:
            m_editor.ClearAll();
            break;
        case cmd::kCopy:
            OnCopy(false);
            break;
        case cmd::kCut:
            OnCopy(true);
            break;
        case cmd::kPaste:
            OnPaste();
            break;
        case cmd::kMoveUp:
            m_editor.MoveUp();
            break;
        case cmd::kMoveDown:
            m_editor.MoveDown();
            break;
        case cmd::kMoveToBottom:
            m_editor.MoveToBottom();
            break;
        case cmd::kMoveToTop:
            m_editor.MoveToTop();
            break;
        case cmd::kSort:
            m_editor.Sort();
            break;
        case cmd::kShuffle:
            m_editor.Shuffle();
            break;
        case cmd::kDeleteFile:
            OnDeleteFile();
            break;
        case cmd::kRename:
            OnRename();
            break;
        case cmd::kUndo:
            m_document.OnEditUndo();
            break;
        case cmd::kRedo:
            m_document.OnEditRedo();
            break;
    }
    return true;
}

bool CTaviView::IsKnownCommand(int id) {
    static const int kCommands[] = {
        cmd::kAddTracks, cmd::kAddPause, cmd::kRemove,     cmd::kClearAll,   cmd::kCopy,
        cmd::kCut,       cmd::kPaste,    cmd::kMoveUp,     cmd::kMoveDown,   cmd::kMoveToBottom,
        cmd::kMoveToTop, cmd::kSort,     cmd::kShuffle,    cmd::kDeleteFile, cmd::kRename,
        cmd::kUndo,      cmd::kRedo,     cmd::kTotalLength};
    return std::find(std::begin(kCommands), std::end(kCommands), id) != std::end(kCommands);
}

bool CTaviView::IsCommandEnabled(int id) const {
    if (engines::CPlayer::IsPlayerCommand(id)) {
        return m_player->player().IsCommandEnabled(id);
    }
    const PlaylistModel& list = m_document.model();
    const bool selected = list.current() >= 0;
    switch (id) {
        case cmd::kUndo:
            return m_document.CanUndo();
        case cmd::kRedo:
            return m_document.CanRedo();
        case cmd::kShuffle:
            return m_editor.CanShuffle();
        case cmd::kRemove:
        case cmd::kCopy:
        case cmd::kCut:
        case cmd::kDeleteFile:
        case cmd::kRename:
        case cmd::kMoveUp:
        case cmd::kMoveDown:
        case cmd::kMoveToBottom:
        case cmd::kMoveToTop:
            return selected;
        case cmd::kClearAll:
        case cmd::kSort:
        case cmd::kTotalLength:
            return list.count() > 0;
        case cmd::kPaste:
            return QGuiApplication::clipboard()->mimeData() != nullptr &&
                   QGuiApplication::clipboard()->mimeData()->hasText();
        default:
            return true;
    }
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
    // A drop that arrives while a long one is still being added waits for it.
    m_queuedDrops.append(paths);
    if (m_dropping) {
        return;
    }
    m_dropping = true;
    while (!m_queuedDrops.isEmpty()) {
        const QStringList missing = m_editor.Drop(m_queuedDrops.takeFirst());
        for (const QString& path : missing) {
            ShowError(tr("File '%1' not found").arg(path));
        }
    }
    m_dropping = false;
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

void CTaviView::OnDeleteFile() {
    m_editor.DeleteFile();
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
    } else if (extension != QLatin1String(".CDA")) {  // CD titles are edited in the CD database
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

QStringList CTaviView::PromptAddTracks() {
    QFileDialog dialog(this, tr("Add Tracks"), QString(), tr("All Files (*)"));
    dialog.setFileMode(QFileDialog::ExistingFiles);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles() : QStringList();
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

void CTaviView::ShowError(const QString& message) {
    QMessageBox::critical(this, QApplication::applicationName(), message);
}

void CTaviView::ShowInformation(const QString& message) {
    QMessageBox::information(this, QApplication::applicationName(), message);
}

bool CTaviView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Wheel && m_player->player().IsPlaying()) {
        m_player->player().WheelSeek(static_cast<QWheelEvent*>(event)->angleDelta().y());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace tavi::playlist
