#pragma once

#include "CDocument.h"
#include "CUndo.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QTimer>

#include <functional>
#include <optional>

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
    // Runs a change from outside the window (automation) and records it as an undo step
    // that is stored only when something else is about to change the document, at Undo or
    // Redo, or once the document has been quiet for a moment: a burst of such edits (a
    // client adding ten thousand files) becomes one step and costs one snapshot, and a
    // window edit after it still undoes to exactly the list the burst left.
    void DeferredEdit(int commandId, const std::function<void()>& change);
    // Stores the step a deferred edit left pending, if any.
    void FlushDeferredUndo();
    // Restarts the history; with enable the document as it is now becomes the base (id 0).
    void ResetUndo(bool enable);

    bool CanUndo() const { return m_deferredId.has_value() || m_history.CanUndo(); }
    bool CanRedo() const { return m_history.CanRedo(); }
    void OnEditUndo();
    void OnEditRedo();

    const CUndo& history() const { return m_history; }

Q_SIGNALS:
    void undoStateChanged();

protected:
    // Subclasses call this before any change of the content (the list model's hook).
    void OnContentAboutToChange();

    // The document's snapshot bytes; loading them must give the same document back.
    virtual QByteArray StoreSnapshot() const = 0;
    // Replaces the document's content with a snapshot taken by StoreSnapshot().
    virtual void LoadSnapshot(const QByteArray& snapshot) = 0;

private:
    void loadCurrent();
    void EndDeferredEdit(int commandId);
    void PushUndoStep(int commandId);  // the history only, not the modified flag

    bool m_enabled = false;
    CUndo m_history;
    std::optional<int> m_deferredId;  // a deferred edit's step, not yet stored
    bool m_inDeferredEdit = false;
    QTimer m_deferredTimer;
    QElapsedTimer m_sinceDeferredEdit;
};

}  // namespace tavi::playlist
