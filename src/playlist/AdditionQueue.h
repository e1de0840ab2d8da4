#pragma once

#include <QObject>
#include <QStringList>

#include <deque>
#include <functional>
#include <memory>
#include <vector>

namespace tavi::playlist {

// Additions that may take long, run one after the other without holding up the UI thread:
// each is a list of steps, either a name added at once (a few thousand a turn of the event
// loop) or a folder walked on a worker thread (FolderWalk) whose files arrive in batches,
// each batch added in one turn. A new addition waits for the ones before it. Lives on the
// UI thread; the worker only reads the file system and posts to it.
class AdditionQueue : public QObject {
    Q_OBJECT
public:
    struct Step {
        // An entry as it is, a name that may be a playlist file, a folder to walk.
        enum class Kind { Entry, Name, Folder };
        Kind kind;
        QString path;
    };
    // What a step adds: the name of a Name step; an Entry, or one file of a folder.
    using AddName = std::function<void(const QString& path)>;
    using AddFile = std::function<void(const QString& path)>;
    // Brackets each group of additions, so the list announces its new rows once.
    using Bracket = std::function<void(bool begin)>;

    AdditionQueue(AddName addName, AddFile addFile, Bracket bracket, QObject* parent = nullptr);
    ~AdditionQueue() override;

    // Runs the steps after every earlier addition, then finished. When nothing else is
    // pending, the first few thousand steps before a walk run before this returns.
    void Enqueue(std::vector<Step> steps, std::function<void()> finished);
    bool IsRunning() const { return !m_runs.empty(); }
    // Forgets every pending addition (the list is being replaced); no finished is called.
    void CancelAll();

Q_SIGNALS:
    void runningChanged(bool running);

private:
    struct Run {
        std::vector<Step> steps;
        std::size_t next = 0;
        std::function<void()> finished;
    };
    struct Mailbox;

    void Continue();
    void ContinueNextTurn();
    void StartWalk(const QString& folder);
    void TakeBatch(quint64 walk, const QStringList& files);
    void WalkEnded(quint64 walk);
    void StopWalk();

    AddName m_addName;
    AddFile m_addFile;
    Bracket m_bracket;
    std::deque<Run> m_runs;
    std::shared_ptr<Mailbox> m_mailbox;  // the walk now running, if any
    quint64 m_walk = 0;                  // its number: batches of older walks are dropped
    bool m_walking = false;
    bool m_continuing = false;
    bool m_continueQueued = false;
};

}  // namespace tavi::playlist
