#pragma once

#include <QDockWidget>

class QFileSystemModel;
class QModelIndex;
class QTreeView;

namespace tavi::reg {
class RegKey;
}

namespace tavi::ui {

// The explorer bar: a docked tree of the file system rooted at the music folder. A single
// click on a file's icon or name opens it, as do a double click and Enter on every selected
// item; shortcuts open their targets. Opening means handing the path to openRequested,
// which the frame passes to the application like a file opened from outside. The folder is
// read only once the bar is first shown (or an item is to be selected), and watched for
// changes only while the bar is shown.
class CExplorerBar : public QDockWidget {
    Q_OBJECT
public:
    // The caption in the active language.
    void Retranslate();
    explicit CExplorerBar(QWidget* parent = nullptr);

    void SetRoot(const QString& folder);
    // Whether the model has been given the root folder yet (it reads it then).
    bool IsRootApplied() const { return m_rootApplied; }
    QString Root() const;
    QTreeView* tree() const { return m_tree; }
    QFileSystemModel* model() const { return m_model; }

    // Opens one item: folders do nothing; shortcuts give their target (nothing when it
    // cannot be resolved); an existing file or a URL is announced. Returns what was opened.
    QString OpenItem(const QString& path);
    // Whether a point (tree viewport coordinates) lies on the icon or the name of an item,
    // not in the empty space of its row.
    bool HitsIconOrLabel(const QModelIndex& index, const QPoint& point) const;

    QString SelectedPath() const;
    void SelectPath(const QString& path);
    // "SelectedShellItem" in the bars' key.
    void SaveState(reg::RegKey& key) const;
    void LoadState(const reg::RegKey& key);

Q_SIGNALS:
    void openRequested(const QString& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void OpenSelected();
    void ApplyRoot();
    void SetWatching(bool watching);

    QFileSystemModel* m_model;
    QTreeView* m_tree;
    bool m_singleClick = true;
    QString m_pendingSelection;  // restored once the model has loaded its folder
    QString m_root;
    bool m_rootApplied = false;
};

}  // namespace tavi::ui
