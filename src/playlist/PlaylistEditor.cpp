#include "PlaylistEditor.h"

#include "platform/fs/Trash.h"

#include "AdditionQueue.h"
#include "CUndoDoc.h"
#include "CommandIds.h"
#include "DesktopLink.h"
#include "EntryKinds.h"
#include "PlaylistModel.h"
#include "ShufflePlaylist.h"
#include "WaitCursor.h"
#include "app/settings/PlayerSettings.h"
#include "engines/cd/CdServices.h"
#include "platform/fs/MediaLocation.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <exception>
#include <memory>

namespace tavi::playlist {

namespace {

const QString kPauseEntry = QStringLiteral("10.pause");
// How long rows added from outside may wait before the list shows them.
constexpr int kOutsideAnnounceMs = 50;

// A "file://" URL is kept as the file it names; a stream URL or a path as it stands.
QString entryText(const QString& entry) {
    const QString local = fs::LocalFileOf(entry);
    return local.isEmpty() ? entry : local;
}

bool mediaFilesOnly() {
    return settings::playerSettings().mediaFilesOnly;
}

}  // namespace

PlaylistEditor::PlaylistEditor(PlaylistModel& model, CUndoDoc& document)
    : m_model(model),
      m_document(document),
      m_additions(new AdditionQueue(
          [this](const QString& path) { addName(path); },
          [this](const QString& path) { addFolderFile(path); },
          [this](bool begin) { begin ? m_model.beginBatch() : m_model.endBatch(); }, this)) {
    connect(m_additions, &AdditionQueue::runningChanged, this, [this](bool running) {
        // The window stays live, but shows that the list is still filling.
        if (running) {
            m_additionCursor.emplace();
        } else {
            m_additionCursor.reset();
        }
        busyMayHaveChanged();
    });
}

void PlaylistEditor::busyMayHaveChanged() {
    if (IsBusy() != m_announcedBusy) {
        m_announcedBusy = IsBusy();
        Q_EMIT busyChanged(m_announcedBusy);
    }
    runWaitingChanges();
}

void PlaylistEditor::WhenIdle(std::function<void()> change) {
    m_waitingChanges.push_back(std::move(change));
    runWaitingChanges();
}

// A waiting change may start a long operation itself; the ones after it wait for that.
void PlaylistEditor::runWaitingChanges() {
    if (m_runningWaiting) {
        return;
    }
    m_runningWaiting = true;
    while (!IsBusy() && !m_waitingChanges.empty()) {
        std::function<void()> change = std::move(m_waitingChanges.front());
        m_waitingChanges.pop_front();
        change();
    }
    m_runningWaiting = false;
}

void PlaylistEditor::BeginLongOperation() {
    ++m_longOperations;
    busyMayHaveChanged();
}

void PlaylistEditor::EndLongOperation() {
    m_longOperations = std::max(0, m_longOperations - 1);
    busyMayHaveChanged();
}

void PlaylistEditor::CancelAdditions() {
    m_additions->CancelAll();
}

void PlaylistEditor::AddPath(const QString& path) {
    const QString local = fs::LocalFileOf(path);
    if (!local.isEmpty() && QFileInfo(local).isDir()) {
        AddFolder(local);
        return;
    }
    addName(path);
}

// A name that is no folder: a playlist file's entries, or the name itself.
void PlaylistEditor::addName(const QString& name) {
    const QString path = entryText(name);
    if (IsExpandablePlaylistFile(path) && !fs::IsStreamUrl(path) && m_hooks.playlistExpander) {
        QStringList entries;
        try {
            entries = m_hooks.playlistExpander(path);
        } catch (const std::exception&) {
            return;  // an unreadable playlist adds nothing; the other names go on
        }
        for (const QString& entry : entries) {
            AddEntry(entry);
        }
        return;
    }
    AddEntry(path);
}

void PlaylistEditor::AddFolder(const QString& path, std::function<void()> finished) {
    m_additions->Enqueue({{AdditionQueue::Step::Kind::Folder, path}}, std::move(finished));
}

void PlaylistEditor::addFolderFile(const QString& path) {
    if (const std::optional<QStringList> tracks = cueTracksOf(path, false)) {
        for (const QString& track : *tracks) {
            AddEntry(track);
        }
        return;
    }
    AddEntry(path);
}

std::optional<QStringList> PlaylistEditor::cueTracksOf(const QString& path, bool reportRefusal) {
    if (!m_hooks.cueSheetEntries || fs::IsStreamUrl(path)) {
        return std::nullopt;
    }
    try {
        return m_hooks.cueSheetEntries(path);
    } catch (const std::exception& error) {
        if (reportRefusal && m_hooks.reportError) {
            m_hooks.reportError(QString::fromLocal8Bit(error.what()));
        }
        return QStringList();  // refused: nothing is added in its place
    }
}

bool PlaylistEditor::AddEntry(const QString& entry) {
    const QString path = entryText(entry);
    if (const std::optional<QStringList> tracks = cueTracksOf(path, true)) {
        for (const QString& track : *tracks) {
            AddEntry(track);
        }
        return !tracks->isEmpty();
    }
    QString target = path;
    const QString extension = EntryExtension(path);
    if (extension == QLatin1String(".LNK") || extension == QLatin1String(".DESKTOP")) {
        auto resolved = ResolveShortcut(path);
        if (!resolved) {
            return false;
        }
        target = *resolved;
    }
    if (mediaFilesOnly() && !IsMediaFile(target)) {
        return false;
    }
    m_model.append(target);
    return true;
}

bool PlaylistEditor::InsertEntry(int index, const QString& entry) {
    const QString path = entryText(entry);
    if (const std::optional<QStringList> tracks = cueTracksOf(path, true)) {
        int at = index < 0 ? m_model.count() : index;
        for (const QString& track : *tracks) {
            at += m_model.insert(at, track) ? 1 : 0;
        }
        return !tracks->isEmpty();
    }
    if (mediaFilesOnly() && !IsInsertableFile(path)) {
        return false;
    }
    return m_model.insert(index < 0 ? m_model.count() : index, path);
}

bool PlaylistEditor::RemoveEntry(int index) {
    return m_model.remove(index);
}

void PlaylistEditor::AddPathFromOutside(const QString& path) {
    WhenIdle([this, path] {
        const QString local = fs::LocalFileOf(path);
        if (!local.isEmpty() && QFileInfo(local).isDir()) {
            // Recorded once the folder is in; the changes after it wait for that.
            AddFolder(local, [this] { m_document.DeferredEdit(cmd::kAddTracks, [] {}); });
        } else {
            // A client adds one entry a call: the list shows a burst of them at once.
            m_model.announceAppendsWithin(kOutsideAnnounceMs);
            m_document.DeferredEdit(cmd::kAddTracks, [&] { addName(path); });
        }
    });
}

void PlaylistEditor::InsertEntryFromOutside(int index, const QString& path) {
    WhenIdle([this, index, path] {
        m_document.DeferredEdit(cmd::kAddTracks, [&] { InsertEntry(index, path); });
    });
}

void PlaylistEditor::RemoveEntryFromOutside(int index) {
    WhenIdle([this, index] { m_document.DeferredEdit(cmd::kRemove, [&] { RemoveEntry(index); }); });
}

void PlaylistEditor::AddTracks(const QStringList& files) {
    const bool wasEmpty = m_model.count() == 0 && !m_additions->IsRunning();
    m_additions->Enqueue(entrySteps(files), [this, wasEmpty] {
        m_document.RecordUndo(cmd::kAddTracks);
        AutoPlayIfWasEmpty(wasEmpty);
    });
}

std::vector<AdditionQueue::Step> PlaylistEditor::entrySteps(const QStringList& paths) {
    std::vector<AdditionQueue::Step> steps;
    steps.reserve(std::size_t(paths.size()));
    for (const QString& path : paths) {
        steps.push_back({AdditionQueue::Step::Kind::Entry, path});
    }
    return steps;
}

void PlaylistEditor::AddPause() {
    AddEntry(kPauseEntry);
    m_document.RecordUndo(cmd::kAddPause);
}

bool PlaylistEditor::AddAllCdTracks() {
    const QString root = engines::cd::FindCdDrive();
    const int count = root.isEmpty() ? 0 : engines::cd::CountCdTracks();
    if (count <= 0) {
        return false;
    }
    for (const QString& entry : engines::cd::CdTrackEntries(root, count)) {
        AddEntry(entry);
    }
    m_document.RecordUndo(cmd::kAddCdTracks);
    return true;
}

void PlaylistEditor::Remove() {
    if (m_model.current() < 0) {
        return;
    }
    m_model.remove(m_model.current());
    m_document.RecordUndo(cmd::kRemove);
}

void PlaylistEditor::ClearAll() {
    m_model.clear();
    m_document.RecordUndo(cmd::kClearAll);
}

QString PlaylistEditor::Copy() const {
    const int current = m_model.current();
    return current < 0 ? QString() : m_model.path(current);
}

QString PlaylistEditor::Cut() {
    QString text = Copy();
    Remove();
    return text;
}

QStringList PlaylistEditor::SplitLines(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        const bool end = i == text.size();
        const QChar c = end ? QChar() : text.at(i);
        if (!end && c != QLatin1Char('\r') && c != QLatin1Char('\n')) {
            continue;
        }
        if (i > start) {
            lines.append(text.mid(start, i - start));
        }
        if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n')) {
            ++i;
        }
        start = i + 1;
    }
    return lines;
}

void PlaylistEditor::Paste(const QString& text) {
    m_additions->Enqueue(entrySteps(SplitLines(text)),
                         [this] { m_document.RecordUndo(cmd::kPaste); });
}

void PlaylistEditor::moveSelectedTo(int target, int undoId) {
    const int current = m_model.current();
    if (current >= 0 && target >= 0 && target < m_model.count()) {
        m_model.move(current, target);
        m_model.setCurrent(target);
    }
    m_document.RecordUndo(undoId);
}

void PlaylistEditor::MoveUp() {
    moveSelectedTo(m_model.current() - 1, cmd::kMoveUp);
}

void PlaylistEditor::MoveDown() {
    const int current = m_model.current();
    moveSelectedTo(current < 0 ? -1 : current + 1, cmd::kMoveDown);
}

void PlaylistEditor::MoveToBottom() {
    moveSelectedTo(m_model.count() - 1, cmd::kMoveToBottom);
}

void PlaylistEditor::MoveToTop() {
    moveSelectedTo(0, cmd::kMoveToTop);
}

void PlaylistEditor::Sort() {
    if (m_sortWaiting) {
        return;
    }
    m_sortWaiting = true;
    auto wait = std::make_shared<WaitCursor>();
    m_model.whenAllNamesKnown(this, [this, wait] {
        m_sortWaiting = false;
        sortByKnownNames();
    });
}

void PlaylistEditor::sortByKnownNames() {
    const int n = m_model.count();
    std::vector<QString> keys;
    keys.reserve(std::size_t(n));
    std::vector<int> order(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        keys.push_back(m_model.displayName(i).toCaseFolded());
        order[std::size_t(i)] = i;
    }
    std::stable_sort(order.begin(), order.end(),
                     [&keys](int a, int b) { return keys[std::size_t(a)] < keys[std::size_t(b)]; });
    m_model.reorder(order, 0);
    m_document.RecordUndo(cmd::kSort);
}

bool PlaylistEditor::CanShuffle() const {
    return m_model.count() > 1;
}

void PlaylistEditor::Shuffle() {
    if (ShufflePlaylist(m_model)) {
        m_document.RecordUndo(cmd::kShuffle);
    }
}

bool PlaylistEditor::DeleteFile() {
    const int current = m_model.current();
    if (m_model.count() == 0 || current < 0) {
        return false;
    }
    const QString path = m_model.path(current);
    if (playing() && m_hooks.playingFile && m_hooks.playingFile() == path && m_hooks.stopPlayback) {
        m_hooks.stopPlayback([this, path] {
            if (m_model.current() >= 0 && m_model.path(m_model.current()) == path) {
                TrashCurrentFile(path);
            }
        });
        return true;
    }
    return TrashCurrentFile(path);
}

bool PlaylistEditor::TrashCurrentFile(const QString& path) {
    if (!fs::Trash::MoveToTrash(path).ok || QFileInfo::exists(path)) {
        return false;
    }
    Remove();
    return true;
}

void PlaylistEditor::RenamePause(int seconds) {
    const int current = m_model.current();
    if (current < 0) {
        return;
    }
    m_model.setPath(current, QString::number(seconds) + RawExtension(m_model.path(current)));
    // No undo step, but the list did change: closing must still ask to save it.
    m_document.SetModifiedFlag(true);
}

PlaylistEditor::RenameResult PlaylistEditor::RenameFile(const QString& newTitle) {
    const int current = m_model.current();
    if (current < 0) {
        return RenameResult::Unchanged;
    }
    const QString oldPath = m_model.path(current);
    const QString newPath = FolderPart(oldPath) + newTitle + RawExtension(oldPath);
    if (newPath == oldPath) {
        return RenameResult::Unchanged;
    }
    // A title must not lead into another folder; QFile::rename never overwrites.
    if (newTitle.isEmpty() || newTitle.contains(QLatin1Char('/')) ||
        !QFile::rename(oldPath, newPath)) {
        return RenameResult::Failed;
    }
    m_model.setPath(current, newPath);
    m_document.SetModifiedFlag(true);
    return RenameResult::Renamed;
}

QStringList PlaylistEditor::Drop(const QStringList& paths) {
    QStringList missing;
    std::vector<AdditionQueue::Step> steps;
    for (const QString& path : paths) {
        const QFileInfo info(path);
        if (fs::IsStreamUrl(path)) {
            steps.push_back({AdditionQueue::Step::Kind::Name, path});  // nothing on disk to ask
        } else if (!info.exists()) {
            missing.append(path);
        } else {
            steps.push_back(
                {info.isDir() ? AdditionQueue::Step::Kind::Folder : AdditionQueue::Step::Kind::Name,
                 path});
        }
    }
    const bool wasEmpty = m_model.count() == 0 && !m_additions->IsRunning();
    m_additions->Enqueue(std::move(steps), [this, wasEmpty] {
        AutoPlayIfWasEmpty(wasEmpty);
        m_document.RecordUndo(cmd::kDrop);
    });
    return missing;
}

bool PlaylistEditor::DragMove(int from, int target) {
    const int n = m_model.count();
    if (from < 0 || from >= n || target < 0 || target > n || target == from || target == from + 1) {
        return false;
    }
    const int to = target > from ? target - 1 : target;
    m_model.move(from, to);
    m_model.setCurrent(to);
    // Recorded so that undo of a later change does not silently take the move back too,
    // and so that closing asks to save the new order.
    m_document.RecordUndo(cmd::kDrop);
    return true;
}

void PlaylistEditor::AutoPlayIfWasEmpty(bool wasEmpty) {
    if (wasEmpty && !playing() && settings::playerSettings().autoPlay && m_model.current() >= 0) {
        Q_EMIT playRequested();
    }
}

}  // namespace tavi::playlist
