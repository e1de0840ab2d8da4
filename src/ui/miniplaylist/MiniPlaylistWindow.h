#pragma once

#include "engines/miniplaylist/MiniPlaylistView.h"

#include <QPointer>
#include <QWidget>

namespace tavi::playlist {
class CMediaListBox;
class PlaylistModel;
}  // namespace tavi::playlist

namespace tavi::ui {

// The mini playlist's tool window: its files listed as the main list shows entries, the one
// playing selected, the list disabled (the user watches, not edits). Owned by the main
// window; its caption's close button does nothing, since it closes with its track. Its
// place is kept in "MiniPlaylist Rect" on every move and resize.
class MiniPlaylistWindow : public QWidget {
    Q_OBJECT
public:
    MiniPlaylistWindow(const QString& title, QWidget* owner);
    ~MiniPlaylistWindow() override;

    // Mini playlists open their windows over this owner from now on. A window the owner took
    // down with itself (at exit) is simply gone for its track.
    static void Register(QWidget* owner);

    void SetEntries(const QStringList& files);
    void SelectEntry(int row);
    void ShowError(const QString& message);

    playlist::CMediaListBox* list() const { return m_list; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void StorePlacement();

    playlist::PlaylistModel* m_model;
    playlist::CMediaListBox* m_list;
    QPointer<QWidget> m_owner;
};

}  // namespace tavi::ui
