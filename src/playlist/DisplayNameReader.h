#pragma once

#include <QHash>
#include <QObject>
#include <QString>

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace tavi::playlist {

class NameMailbox;

// Reads the display names that need the files (tags) off the UI thread: a thread-pool job
// per batch of paths, the newest requests first, so the rows a view shows now come before
// rows it showed a moment ago. A job works on a copy of the settings and of the media-name
// hook taken on the UI thread and reaches nothing but its mailbox; the names come back on
// the UI thread through namesRead. Lives on the UI thread.
class DisplayNameReader : public QObject {
    Q_OBJECT
public:
    static constexpr int kBatchSize = 32;

    struct ReadName {
        QString path;
        QString name;
        std::vector<int> rows;  // where the path was when it was asked for; may be stale
    };

    explicit DisplayNameReader(QObject* parent = nullptr);
    // Jobs still running finish their current file and drop what they read.
    ~DisplayNameReader() override;

    // Asks for the name of path, shown at row. A path asked for already is not read twice;
    // one asked for long ago and still waiting moves to the front.
    void request(int row, const QString& path);
    bool isPending(const QString& path) const { return m_pending.contains(path); }
    bool isIdle() const { return m_pending.isEmpty() && m_running == 0; }
    // Forgets every request; names still on their way are dropped (settings changed, or a
    // new list).
    void clear();

Q_SIGNALS:
    // Names of the current generation, one signal per turn of the event loop at most.
    void namesRead(const std::vector<DisplayNameReader::ReadName>& names);

protected:
    void customEvent(QEvent* event) override;

private:
    struct Pending {
        std::vector<int> rows;
        std::uint64_t order = 0;
        bool started = false;
    };

    void scheduleDispatch();
    void dispatch();
    std::vector<QString> takeBatch();
    void startJob(std::vector<QString> paths);
    void deliver();

    std::shared_ptr<NameMailbox> m_mailbox;
    QHash<QString, Pending> m_pending;                       // asked for, not yet delivered
    std::vector<std::pair<QString, std::uint64_t>> m_queue;  // newest at the back
    std::uint64_t m_nextOrder = 0;
    int m_running = 0;  // jobs started and not yet reported finished
    bool m_dispatchScheduled = false;
};

}  // namespace tavi::playlist
