#pragma once

#include <QListView>
#include <QStringList>

namespace tavi::playlist {

class PlaylistModel;

// A drag-and-drop list over a PlaylistModel with one selected row, which is the model's
// current entry. An entry dragged within the list and files dropped from the file manager
// (text/uri-list) are reported as signals; the list changes nothing itself.
class CMediaListBox : public QListView {
    Q_OBJECT
public:
    static const QString kRowMimeType;

    explicit CMediaListBox(QWidget* parent = nullptr);
    void setPlaylistModel(PlaylistModel* model);
    PlaylistModel* playlistModel() const { return m_model; }

Q_SIGNALS:
    // target is the row under the pointer, -1 outside the items.
    void entryDragged(int from, int target);
    void filesDropped(const QStringList& paths);
    void entryActivated(int row);

protected:
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    bool acceptable(const QMimeData* mime) const;
    void showCurrent(int row);
    void takeSelection();

    PlaylistModel* m_model = nullptr;
};

}  // namespace tavi::playlist
