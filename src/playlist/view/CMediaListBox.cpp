#include "CMediaListBox.h"

#include "platform/fs/MediaLocation.h"
#include "playlist/PlaylistModel.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QUrl>

namespace tavi::playlist {

const QString CMediaListBox::kRowMimeType = QStringLiteral("application/x-tavi-playlist-row");

CMediaListBox::CMediaListBox(QWidget* parent) : QListView(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);  // long lists lay out without measuring every row
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::MoveAction);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(this, &QListView::activated, this,
            [this](const QModelIndex& index) { Q_EMIT entryActivated(index.row()); });
}

void CMediaListBox::setPlaylistModel(PlaylistModel* model) {
    m_model = model;
    setModel(model);
    connect(model, &PlaylistModel::currentChanged, this, &CMediaListBox::showCurrent);
    connect(model, &QAbstractItemModel::modelReset, this,
            [this] { showCurrent(m_model->current()); });
    connect(model, &QAbstractItemModel::layoutChanged, this,
            [this] { showCurrent(m_model->current()); });
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CMediaListBox::takeSelection);
    showCurrent(model->current());
}

void CMediaListBox::showCurrent(int row) {
    const QModelIndex index = row >= 0 ? m_model->index(row) : QModelIndex();
    if (index.isValid()) {
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
        scrollTo(index);
    } else {
        selectionModel()->clearSelection();
    }
}

void CMediaListBox::takeSelection() {
    const QModelIndexList rows = selectionModel()->selectedRows();
    if (!rows.isEmpty()) {
        m_model->setCurrent(rows.first().row());
    }
}

void CMediaListBox::startDrag(Qt::DropActions) {
    const QModelIndex index = currentIndex();
    if (!index.isValid()) {
        return;
    }
    auto* mime = new QMimeData;
    mime->setData(kRowMimeType, QByteArray::number(index.row()));
    auto* drag = new QDrag(this);
    drag->setMimeData(mime);
    drag->setPixmap(m_model->data(index, Qt::DecorationRole).value<QIcon>().pixmap(16, 16));
    drag->exec(Qt::MoveAction);
}

bool CMediaListBox::acceptable(const QMimeData* mime) const {
    return mime->hasUrls() || mime->hasFormat(kRowMimeType);
}

void CMediaListBox::dragEnterEvent(QDragEnterEvent* event) {
    if (acceptable(event->mimeData())) {
        event->acceptProposedAction();
    }
}

void CMediaListBox::dragMoveEvent(QDragMoveEvent* event) {
    if (acceptable(event->mimeData())) {
        event->acceptProposedAction();
    }
}

void CMediaListBox::dropEvent(QDropEvent* event) {
    const QMimeData* mime = event->mimeData();
    if (mime->hasFormat(kRowMimeType) && event->source() == this) {
        const int from = mime->data(kRowMimeType).toInt();
        const int target = indexAt(event->position().toPoint()).row();
        event->setDropAction(Qt::MoveAction);
        event->accept();
        Q_EMIT entryDragged(from, target);
        return;
    }
    if (mime->hasUrls()) {
        QStringList paths;
        for (const QUrl& url : mime->urls()) {
            if (url.isLocalFile()) {
                paths.append(url.toLocalFile());
            } else if (fs::IsStreamUrl(url.toString())) {
                paths.append(url.toString());  // a link dragged from a web browser
            }
        }
        event->setDropAction(Qt::CopyAction);
        event->accept();
        Q_EMIT filesDropped(paths);
    }
}

}  // namespace tavi::playlist
