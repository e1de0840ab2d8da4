#pragma once

#include <QObject>
#include <QString>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <vector>

namespace tavi::playlist {

// Where the name-reading jobs leave their results for the UI thread. Jobs hold it by
// shared pointer, never the reader itself: the first result after a take() posts one event
// to the receiver, so results of many jobs and files arrive together, once per turn of the
// event loop; after close() (the receiver is going) nothing is posted any more.
class NameMailbox {
public:
    struct Name {
        std::uint64_t generation;
        QString path;
        QString name;
    };
    struct Contents {
        std::vector<Name> names;
        int jobsFinished = 0;
    };

    NameMailbox(QObject* receiver, int eventType) : m_receiver(receiver), m_eventType(eventType) {}

    // The generation results must carry to be kept; a job stops at the next file when its
    // generation is no longer current.
    std::uint64_t generation() const { return m_generation.load(); }
    bool isCurrent(std::uint64_t generation) const { return generation == m_generation.load(); }
    void startGeneration() { ++m_generation; }

    // Worker side.
    void put(Name name);
    void finishJob();
    // UI side.
    Contents take();
    void close();

private:
    void postLocked();

    std::atomic<std::uint64_t> m_generation{0};
    std::mutex m_lock;  // guards everything below
    QObject* m_receiver;
    int m_eventType;
    bool m_posted = false;
    Contents m_contents;
};

}  // namespace tavi::playlist
