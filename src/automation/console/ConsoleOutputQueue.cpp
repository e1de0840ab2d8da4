#include "ConsoleOutputQueue.h"

namespace tavi::automation::console {

bool ConsoleOutputQueue::Put(Stream stream, QByteArray bytes) {
    std::scoped_lock lock(m_mutex);
    m_bytes += bytes.size();
    m_chunks.push_back({stream, std::move(bytes)});
    while (m_bytes > kMaxBytes && m_chunks.size() > 1) {
        m_bytes -= m_chunks.front().bytes.size();
        m_dropped += m_chunks.front().bytes.size();
        m_chunks.pop_front();
    }
    return !std::exchange(m_awake, true);
}

std::vector<ConsoleOutputQueue::Chunk> ConsoleOutputQueue::Take(qsizetype maxBytes, bool* more) {
    std::scoped_lock lock(m_mutex);
    std::vector<Chunk> taken;
    qsizetype size = 0;
    while (!m_chunks.empty() &&
           (taken.empty() || size + m_chunks.front().bytes.size() <= maxBytes)) {
        size += m_chunks.front().bytes.size();
        m_bytes -= m_chunks.front().bytes.size();
        taken.push_back(std::move(m_chunks.front()));
        m_chunks.pop_front();
    }
    *more = !m_chunks.empty();
    m_awake = *more;
    return taken;
}

qsizetype ConsoleOutputQueue::DroppedBytes() const {
    std::scoped_lock lock(m_mutex);
    return m_dropped;
}

}  // namespace tavi::automation::console
