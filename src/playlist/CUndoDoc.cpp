#include "CUndoDoc.h"

#include "WaitCursor.h"

namespace tavi::playlist {

CUndoDoc::CUndoDoc(QObject* parent) : CDocument(parent) {}

void CUndoDoc::RecordUndo(int commandId) {
    if (m_enabled) {
        WaitCursor wait;
        m_history.Push(UndoRecord::fromSnapshot(commandId, StoreSnapshot()));
        Q_EMIT undoStateChanged();
    }
    SetModifiedFlag(true);
}

void CUndoDoc::ResetUndo(bool enable) {
    m_history.Reset(enable ? UndoRecord::fromSnapshot(0, StoreSnapshot()) : nullptr);
    m_enabled = enable;
    Q_EMIT undoStateChanged();
}

void CUndoDoc::OnEditUndo() {
    if (!CanUndo()) {
        return;
    }
    WaitCursor wait;
    m_history.UndoStep();
    loadCurrent();
    SetModifiedFlag(m_history.CanUndo());
    UpdateAllViews();
    Q_EMIT undoStateChanged();
}

void CUndoDoc::OnEditRedo() {
    if (!CanRedo()) {
        return;
    }
    WaitCursor wait;
    m_history.RedoStep();
    loadCurrent();
    SetModifiedFlag(true);
    UpdateAllViews();
    Q_EMIT undoStateChanged();
}

void CUndoDoc::loadCurrent() {
    if (const UndoRecord* record = m_history.Current()) {
        LoadSnapshot(record->snapshot());
    }
}

}  // namespace tavi::playlist
