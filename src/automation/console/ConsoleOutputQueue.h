#pragma once

#include <QByteArray>

#include <deque>
#include <mutex>
#include <vector>

namespace tavi::automation::console {

// A child's output on its way to the window: reader threads put, the UI thread takes. It
// holds at most kMaxBytes; when a flood outruns the window the oldest output goes first,
// as the window keeps only the newest text anyway.
class ConsoleOutputQueue {
public:
    enum class Stream { Output, Error };
    struct Chunk {
        Stream stream;
        QByteArray bytes;
    };
    static constexpr qsizetype kMaxBytes = qsizetype(1) << 20;  // what the window keeps

    // True when the taker must be woken: nothing was waiting for it before.
    bool Put(Stream stream, QByteArray bytes);
    // The oldest chunks, about maxBytes of them (at least one). Once it returns less than
    // everything, the taker stays awake: the next Put does not wake it again.
    std::vector<Chunk> Take(qsizetype maxBytes, bool* more);
    qsizetype DroppedBytes() const;

private:
    mutable std::mutex m_mutex;
    std::deque<Chunk> m_chunks;
    qsizetype m_bytes = 0;
    qsizetype m_dropped = 0;
    bool m_awake = false;
};

}  // namespace tavi::automation::console
