#include "CExplorerBar.h"

#include "platform/fs/FolderOrder.h"
#include "platform/registry/RegKey.h"
#include "playlist/DesktopLink.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTreeView>
#include <QUrl>

namespace tavi::ui {

namespace {

const QString kSelectedShellItem = QStringLiteral("SelectedShellItem");

bool IsUrl(const QString& path) {
    const QUrl url(path, QUrl::StrictMode);
    return url.isValid() && url.scheme().size() > 1 && !url.isLocalFile();
}

}  // namespace

CExplorerBar::CExplorerBar(QWidget* parent)
    : QDockWidget(parent), m_model(new QFileSystemModel(this)), m_tree(new QTreeView(this)) {
    m_model->setReadOnly(true);  // the bar opens files; renaming them is the file manager's
    m_model->setOptions(QFileSystemModel::DontUseCustomDirectoryIcons |
                        QFileSystemModel::DontWatchForChanges);
    m_tree->setObjectName(QStringLiteral("ShellTree"));
    m_tree->setModel(m_model);
    m_tree->setHeaderHidden(true);
    for (int column = 1; column < m_model->columnCount(); ++column) {
        m_tree->hideColumn(column);
    }
    m_tree->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tree->setUniformRowHeights(true);
    m_tree->viewport()->installEventFilter(this);
    m_tree->installEventFilter(this);
    connect(m_tree, &QTreeView::doubleClicked, this, [this] { OpenSelected(); });
    connect(m_model, &QFileSystemModel::directoryLoaded, this, [this] {
        if (!m_pendingSelection.isEmpty()) {
            SelectPath(m_pendingSelection);
        }
    });
    setWidget(m_tree);
    Retranslate();
}

void CExplorerBar::Retranslate() {
    setWindowTitle(tr("Explorer", "59400"));
}

// The music folder's contents form the top level of the tree.
void CExplorerBar::SetRoot(const QString& folder) {
    m_root = folder;
    m_rootApplied = false;
    if (isVisible()) {
        ApplyRoot();
    }
}

void CExplorerBar::ApplyRoot() {
    if (!m_rootApplied) {
        m_rootApplied = true;
        // A folder that is gone (or unmounted) shows the home folder, never the current one.
        const QString root = QFileInfo(m_root).isDir() ? m_root : QDir::homePath();
        m_tree->setRootIndex(m_model->setRootPath(root));
    }
}

QString CExplorerBar::Root() const {
    return m_root;
}

// A hidden bar neither reads its folder nor watches it: the model's watcher would wake us
// for every change to a music folder nobody is looking at.
void CExplorerBar::SetWatching(bool watching) {
    m_model->setOption(QFileSystemModel::DontWatchForChanges, !watching);
}

void CExplorerBar::showEvent(QShowEvent* event) {
    QDockWidget::showEvent(event);
    ApplyRoot();
    SetWatching(true);
}

void CExplorerBar::hideEvent(QHideEvent* event) {
    QDockWidget::hideEvent(event);
    SetWatching(false);
}

QString CExplorerBar::OpenItem(const QString& path) {
    QString target = path;
    if (IsUrl(path)) {
        Q_EMIT openRequested(path);
        return path;
    }
    if (QFileInfo(path).isDir()) {
        return {};  // folders open by expanding them
    }
    if (playlist::IsShortcutFile(path)) {
        const std::optional<QString> resolved = playlist::ResolveShortcut(path);
        if (!resolved) {
            return {};
        }
        target = *resolved;
    }
    const QFileInfo info(target);
    if (IsUrl(target) || (info.exists() && !info.isDir())) {
        Q_EMIT openRequested(target);
        return target;
    }
    return {};
}

bool CExplorerBar::HitsIconOrLabel(const QModelIndex& index, const QPoint& point) const {
    const QRect cell = m_tree->visualRect(index);
    if (!cell.contains(point)) {
        return false;
    }
    // The item draws its icon, a gap and its name from the cell's left edge.
    const int icon = m_tree->iconSize().isValid()
                         ? m_tree->iconSize().width()
                         : m_tree->style()->pixelMetric(QStyle::PM_SmallIconSize);
    const int text = m_tree->fontMetrics().horizontalAdvance(index.data().toString());
    const int margins = 3 * m_tree->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 8;
    return point.x() <= cell.left() + icon + text + margins;
}

bool CExplorerBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_tree->viewport() && event->type() == QEvent::MouseButtonRelease &&
        m_singleClick) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        const QPoint point = mouse->position().toPoint();
        const QModelIndex index = m_tree->indexAt(point);
        if (mouse->button() == Qt::LeftButton && mouse->modifiers() == Qt::NoModifier &&
            index.isValid() && !m_model->isDir(index) && HitsIconOrLabel(index, point)) {
            OpenItem(m_model->filePath(index));
        }
    } else if (watched == m_tree && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            OpenSelected();
            return true;
        }
    }
    return QDockWidget::eventFilter(watched, event);
}

// In the order the folder lists them, not the order they were picked in.
void CExplorerBar::OpenSelected() {
    QStringList paths;
    for (const QModelIndex& index : m_tree->selectionModel()->selectedRows()) {
        paths.append(m_model->filePath(index));
    }
    fs::SortPaths(paths);
    for (const QString& path : paths) {
        OpenItem(path);
    }
}

QString CExplorerBar::SelectedPath() const {
    const QModelIndex current = m_tree->currentIndex();
    return current.isValid() ? m_model->filePath(current) : QString();
}

void CExplorerBar::SelectPath(const QString& path) {
    ApplyRoot();  // the selection is found in the folder's listing
    const QModelIndex index = m_model->index(path);
    if (!index.isValid()) {
        m_pendingSelection = path;  // its folder is still being read
        return;
    }
    m_pendingSelection.clear();
    m_tree->setCurrentIndex(index);
    m_tree->scrollTo(index);
}

void CExplorerBar::SaveState(reg::RegKey& key) const {
    key.setString(kSelectedShellItem, SelectedPath());
}

void CExplorerBar::LoadState(const reg::RegKey& key) {
    const QString path = key.stringValue(kSelectedShellItem).value_or(QString());
    if (!path.isEmpty() && QFileInfo::exists(path)) {
        SelectPath(path);
    }
}

}  // namespace tavi::ui
