#include "PlaylistEditor.h"

#include "CUndoDoc.h"
#include "CommandIds.h"
#include "DesktopLink.h"
#include "EntryKinds.h"
#include "PlaylistModel.h"
#include "ShufflePlaylist.h"
#include "WaitCursor.h"
#include "app/settings/PlayerSettings.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <exception>

#include <sys/stat.h>

namespace tavi::playlist {

namespace {

constexpr int kResponsiveEvery = 4096;
const QString kPauseEntry = QStringLiteral("10.pause");

bool mediaFilesOnly() {
    return settings::playerSettings().mediaFilesOnly;
}

}  // namespace

// Announces added rows in large groups instead of one by one.
class PlaylistEditor::Bulk {
public:
    explicit Bulk(PlaylistModel& model) : m_model(model) { m_model.beginBatch(); }
    ~Bulk() { m_model.endBatch(); }
    Bulk(const Bulk&) = delete;
    Bulk& operator=(const Bulk&) = delete;

private:
    PlaylistModel& m_model;
};

PlaylistEditor::PlaylistEditor(PlaylistModel& model, CUndoDoc& document)
    : m_model(model), m_document(document) {}

void PlaylistEditor::AddPath(const QString& path) {
    if (QFileInfo(path).isDir()) {
        AddFolder(path);
        return;
    }
    if (IsExpandablePlaylistFile(path) && m_hooks.playlistExpander) {
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

void PlaylistEditor::AddFolder(const QString& path) {
    WaitCursor wait;
    Bulk bulk(m_model);
    std::set<std::pair<quint64, quint64>> visited;
    addFolderOnce(path, visited);
}

// Each folder is entered once, known by device and inode, so symbolic links that lead back
// up the tree (or twice to the same folder) cannot make the walk endless.
void PlaylistEditor::addFolderOnce(const QString& path,
                                   std::set<std::pair<quint64, quint64>>& visited) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0 ||
        !visited.insert({quint64(info.st_dev), quint64(info.st_ino)}).second) {
        return;
    }
    QString folder = path;
    if (!folder.endsWith(QLatin1Char('/'))) {
        folder += QLatin1Char('/');
    }
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    while (it.hasNext()) {
        const QString child = folder + QFileInfo(it.next()).fileName();
        if (it.fileInfo().isDir()) {
            addFolderOnce(child, visited);
        } else {
            AddEntry(child);
        }
    }
}

bool PlaylistEditor::AddEntry(const QString& path) {
    QString target = path;
    QString extension = EntryExtension(path);
    if (extension == QLatin1String(".LNK") || extension == QLatin1String(".DESKTOP")) {
        auto resolved = ResolveShortcut(path);
        if (!resolved) {
            return false;
        }
        target = *resolved;
        extension = EntryExtension(target);
    }
    if (mediaFilesOnly() && !IsMediaExtension(extension)) {
        return false;
    }
    m_model.append(target);
    addedOne();
    return true;
}

void PlaylistEditor::addedOne() {
    if (!m_model.inBatch() || ++m_sinceResponsive < kResponsiveEvery) {
        return;
    }
    m_sinceResponsive = 0;
    m_model.flushBatch();
    if (m_hooks.keepResponsive) {
        m_hooks.keepResponsive();
    }
}

bool PlaylistEditor::InsertEntry(int index, const QString& path) {
    if (mediaFilesOnly() && !IsInsertableFile(path)) {
        return false;
    }
    return m_model.insert(index < 0 ? m_model.count() : index, path);
}

bool PlaylistEditor::RemoveEntry(int index) {
    return m_model.remove(index);
}

void PlaylistEditor::AddPathFromOutside(const QString& path) {
    m_document.DeferredEdit(cmd::kAddTracks, [&] { AddPath(path); });
}

bool PlaylistEditor::InsertEntryFromOutside(int index, const QString& path) {
    bool inserted = false;
    m_document.DeferredEdit(cmd::kAddTracks, [&] { inserted = InsertEntry(index, path); });
    return inserted;
}

bool PlaylistEditor::RemoveEntryFromOutside(int index) {
    bool removed = false;
    m_document.DeferredEdit(cmd::kRemove, [&] { removed = RemoveEntry(index); });
    return removed;
}

void PlaylistEditor::AddTracks(const QStringList& files) {
    const bool wasEmpty = m_model.count() == 0;
    {
        WaitCursor wait;
        Bulk bulk(m_model);
        for (const QString& file : files) {
            AddEntry(file);
        }
    }
    m_document.RecordUndo(cmd::kAddTracks);
    AutoPlayIfWasEmpty(wasEmpty);
}

void PlaylistEditor::AddPause() {
    AddEntry(kPauseEntry);
    m_document.RecordUndo(cmd::kAddPause);
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
    {
        WaitCursor wait;
        Bulk bulk(m_model);
        for (const QString& line : SplitLines(text)) {
            AddEntry(line);
        }
    }
    m_document.RecordUndo(cmd::kPaste);
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
    WaitCursor wait;
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
    if (!QFile::moveToTrash(path) || QFileInfo::exists(path)) {
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
    const bool wasEmpty = m_model.count() == 0;
    {
        WaitCursor wait;
        Bulk bulk(m_model);
        for (const QString& path : paths) {
            if (QFileInfo::exists(path)) {
                AddPath(path);
            } else {
                missing.append(path);
            }
        }
    }
    AutoPlayIfWasEmpty(wasEmpty);
    m_document.RecordUndo(cmd::kDrop);
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
