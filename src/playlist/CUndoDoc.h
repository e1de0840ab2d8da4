#pragma once

#include "CDocument.h"
#include "CUndo.h"

#include <QByteArray>

namespace tavi::playlist {

// A document with undo and redo by whole snapshots: after every change RecordUndo stores
// the serialised document; Undo and Redo load an earlier or later one back. Until the
// first ResetUndo(true) (New or Open) the history is off and changes only set the
// modified flag.
class CUndoDoc : public CDocument {
    Q_OBJECT
public:
    explicit CUndoDoc(QObject* parent = nullptr);

    // Called after every change with the id of the command that made it.
    void RecordUndo(int commandId);
    // Restarts the history; with enable the document as it is now becomes the base (id 0).
    void ResetUndo(bool enable);

    bool CanUndo() const { return m_history.CanUndo(); }
    bool CanRedo() const { return m_history.CanRedo(); }
    void OnEditUndo();
    void OnEditRedo();

    const CUndo& history() const { return m_history; }

Q_SIGNALS:
    void undoStateChanged();

protected:
    // The document's snapshot bytes; loading them must give the same document back.
    virtual QByteArray StoreSnapshot() const = 0;
    // Replaces the document's content with a snapshot taken by StoreSnapshot().
    virtual void LoadSnapshot(const QByteArray& snapshot) = 0;

private:
    void loadCurrent();

    bool m_enabled = false;
    CUndo m_history;
};

}  // namespace tavi::playlist
