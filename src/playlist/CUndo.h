#pragma once

#include <QByteArray>

#include <deque>
#include <memory>

namespace tavi::playlist {

// One state of the document: the id of the command that produced it (0 for the base) and
// the document's snapshot, kept zstd-compressed so that 21 snapshots of a long playlist fit.
struct UndoRecord {
    int commandId = 0;
    QByteArray compressed;

    static std::unique_ptr<UndoRecord> fromSnapshot(int commandId, const QByteArray& snapshot);
    // The snapshot bytes exactly as they were recorded.
    QByteArray snapshot() const;
};

// The undo history: the current record, up to ten older ones and up to ten undone ones.
class CUndo {
public:
    static constexpr std::size_t kCapacity = 10;

    CUndo() = default;
    virtual ~CUndo() = default;
    CUndo(const CUndo&) = delete;
    CUndo& operator=(const CUndo&) = delete;

    // The current record goes onto the undo list (the oldest falls off past ten) and the
    // new one becomes current. The redo list is kept.
    void Push(std::unique_ptr<UndoRecord> record);
    // Deletes everything and makes record (may be null) current.
    void Reset(std::unique_ptr<UndoRecord> base);

    // Current onto the redo list, the newest undo record becomes current. Callers check
    // CanUndo() first.
    virtual void UndoStep();
    // Current onto the undo list, the newest redo record becomes current.
    virtual void RedoStep();

    bool CanUndo() const { return !m_undo.empty(); }
    bool CanRedo() const { return !m_redo.empty(); }
    const UndoRecord* Current() const { return m_current.get(); }
    std::size_t UndoCount() const { return m_undo.size(); }
    std::size_t RedoCount() const { return m_redo.size(); }

private:
    using RecordList = std::deque<std::unique_ptr<UndoRecord>>;
    static void boundedPush(RecordList& list, std::unique_ptr<UndoRecord> record);

    std::unique_ptr<UndoRecord> m_current;
    RecordList m_undo;  // oldest first
    RecordList m_redo;  // oldest first
};

}  // namespace tavi::playlist
