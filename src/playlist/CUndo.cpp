#include "CUndo.h"

#include "ZstdCodec.h"

namespace tavi::playlist {

std::unique_ptr<UndoRecord> UndoRecord::fromSnapshot(int commandId, const QByteArray& snapshot) {
    auto record = std::make_unique<UndoRecord>();
    record->commandId = commandId;
    record->compressed = ZstdCodec::compress(snapshot);
    return record;
}

QByteArray UndoRecord::snapshot() const {
    auto bytes = ZstdCodec::decompress(compressed);
    // Our own frames always decompress; a failure means memory was overwritten.
    Q_ASSERT(bytes);
    return bytes ? *bytes : QByteArray();
}

void CUndo::boundedPush(RecordList& list, std::unique_ptr<UndoRecord> record) {
    if (!record) {
        return;
    }
    if (list.size() >= kCapacity) {
        list.pop_front();
    }
    list.push_back(std::move(record));
}

void CUndo::Push(std::unique_ptr<UndoRecord> record) {
    boundedPush(m_undo, std::move(m_current));
    m_current = std::move(record);
}

void CUndo::Reset(std::unique_ptr<UndoRecord> base) {
    m_undo.clear();
    m_redo.clear();
    m_current = std::move(base);
}

void CUndo::UndoStep() {
    if (m_undo.empty()) {
        return;
    }
    boundedPush(m_redo, std::move(m_current));
    m_current = std::move(m_undo.back());
    m_undo.pop_back();
}

void CUndo::RedoStep() {
    if (m_redo.empty()) {
        return;
    }
    boundedPush(m_undo, std::move(m_current));
    m_current = std::move(m_redo.back());
    m_redo.pop_back();
}

}  // namespace tavi::playlist
