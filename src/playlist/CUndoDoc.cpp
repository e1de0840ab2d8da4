#include "CUndoDoc.h"

#include "WaitCursor.h"

namespace tavi::playlist {

namespace {
// A pause this long between deferred edits ends their burst.
constexpr int kDeferredQuietMs = 250;
}  // namespace

CUndoDoc::CUndoDoc(QObject* parent) : CDocument(parent) {
    m_deferredTimer.setSingleShot(true);
    connect(&m_deferredTimer, &QTimer::timeout, this, [this] {
        const qint64 quiet = m_sinceDeferredEdit.elapsed();
        if (quiet < kDeferredQuietMs) {
            m_deferredTimer.start(int(kDeferredQuietMs - quiet));  // the burst goes on
        } else {
            FlushDeferredUndo();
        }
    });
}

void CUndoDoc::DeferredEdit(int commandId, const std::function<void()>& change) {
    // A change that fails half-way has still changed the list: it is recorded all the same.
    struct Pending {
        CUndoDoc& document;
        int id;
        ~Pending() { document.EndDeferredEdit(id); }
    } pending{*this, commandId};
    m_inDeferredEdit = true;
    change();
}

void CUndoDoc::EndDeferredEdit(int commandId) {
    m_inDeferredEdit = false;
    const bool first = !m_deferredId;
    m_deferredId = commandId;
    // Restarting a timer for each of thousands of edits costs more than the edits: the
    // timer runs once and looks at the clock when it fires.
    m_sinceDeferredEdit.start();
    if (!m_deferredTimer.isActive()) {
        m_deferredTimer.start(kDeferredQuietMs);
    }
    SetModifiedFlag(true);
    if (first) {
        Q_EMIT undoStateChanged();
    }
}

void CUndoDoc::FlushDeferredUndo() {
    if (!m_deferredId) {
        return;
    }
    const int commandId = *m_deferredId;
    m_deferredId.reset();
    m_deferredTimer.stop();
    // The edits marked the document modified when they were made; a save or a client's
    // Saved = true since then stands.
    PushUndoStep(commandId);
}

void CUndoDoc::PushUndoStep(int commandId) {
    if (m_enabled) {
        WaitCursor wait;
        m_history.Push(UndoRecord::fromSnapshot(commandId, StoreSnapshot()));
        Q_EMIT undoStateChanged();
    }
}

void CUndoDoc::OnContentAboutToChange() {
    if (!m_inDeferredEdit) {
        FlushDeferredUndo();
    }
}

void CUndoDoc::RecordUndo(int commandId) {
    FlushDeferredUndo();  // a change that bypassed the model's hook still keeps its order
    PushUndoStep(commandId);
    SetModifiedFlag(true);
}

void CUndoDoc::ResetUndo(bool enable) {
    m_deferredId.reset();  // the document as it is now is the new base
    m_deferredTimer.stop();
    m_history.Reset(enable ? UndoRecord::fromSnapshot(0, StoreSnapshot()) : nullptr);
    m_enabled = enable;
    Q_EMIT undoStateChanged();
}

void CUndoDoc::OnEditUndo() {
    FlushDeferredUndo();
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
    FlushDeferredUndo();
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
