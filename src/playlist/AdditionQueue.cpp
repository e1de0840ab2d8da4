#include "AdditionQueue.h"

#include "FolderWalk.h"

#include <QMetaObject>

#include <atomic>
#include <mutex>
#include <thread>

namespace tavi::playlist {

namespace {
// Names added in one turn of the event loop: a few milliseconds of work.
constexpr int kNamesPerTurn = 2048;
}  // namespace

// What a walk shares with the queue: the walk stops when cancelled, and posts only while
// the queue exists. Guarded by lock: receiver, which the queue clears when it goes.
struct AdditionQueue::Mailbox {
    std::mutex lock;
    AdditionQueue* receiver = nullptr;
    std::atomic<bool> cancelled{false};

    template <typename Call>
    void Post(Call call) {
        std::lock_guard<std::mutex> guard(lock);
        if (AdditionQueue* queue = receiver) {
            QMetaObject::invokeMethod(
                queue, [queue, call = std::move(call)] { call(queue); }, Qt::QueuedConnection);
        }
    }
};

AdditionQueue::AdditionQueue(AddName addName, AddFile addFile, Bracket bracket, QObject* parent)
    : QObject(parent),
      m_addName(std::move(addName)),
      m_addFile(std::move(addFile)),
      m_bracket(std::move(bracket)) {}

AdditionQueue::~AdditionQueue() {
    StopWalk();
}

void AdditionQueue::Enqueue(std::vector<Step> steps, std::function<void()> finished) {
    const bool wasRunning = IsRunning();
    m_runs.push_back(Run{std::move(steps), 0, std::move(finished)});
    if (!wasRunning) {
        Q_EMIT runningChanged(true);
        Continue();
    }
}

void AdditionQueue::CancelAll() {
    StopWalk();
    if (IsRunning()) {
        m_runs.clear();
        Q_EMIT runningChanged(false);
    }
}

// Runs steps until a walk has to be waited for or every addition is done. A finished
// callback may enqueue again; the loop is not entered twice.
void AdditionQueue::Continue() {
    if (m_continuing) {
        return;
    }
    m_continuing = true;
    bool bracketOpen = false;  // names in a row are announced together
    auto closeBracket = [&] {
        if (bracketOpen) {
            bracketOpen = false;
            m_bracket(false);
        }
    };
    int namesThisTurn = 0;
    while (!m_runs.empty() && !m_walking) {
        Run& run = m_runs.front();
        if (namesThisTurn >= kNamesPerTurn) {
            ContinueNextTurn();
            break;
        }
        if (run.next < run.steps.size()) {
            const Step step = run.steps[run.next++];
            if (step.kind == Step::Kind::Folder) {
                closeBracket();
                StartWalk(step.path);
            } else {
                if (!bracketOpen) {
                    bracketOpen = true;
                    m_bracket(true);
                }
                step.kind == Step::Kind::Name ? m_addName(step.path) : m_addFile(step.path);
                ++namesThisTurn;
            }
            continue;
        }
        closeBracket();
        std::function<void()> finished = std::move(run.finished);
        m_runs.pop_front();
        if (finished) {
            finished();
        }
        if (m_runs.empty()) {
            Q_EMIT runningChanged(false);
        }
    }
    closeBracket();
    m_continuing = false;
}

void AdditionQueue::ContinueNextTurn() {
    if (!m_continueQueued) {
        m_continueQueued = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                m_continueQueued = false;
                Continue();
            },
            Qt::QueuedConnection);
    }
}

void AdditionQueue::StartWalk(const QString& folder) {
    m_walking = true;
    const quint64 walk = ++m_walk;
    m_mailbox = std::make_shared<Mailbox>();
    m_mailbox->receiver = this;
    // Detached: a walk stuck on a dead network mount must not hold up closing the list
    // or the program; it only ever posts through the mailbox.
    std::thread([mailbox = m_mailbox, folder, walk] {
        FolderWalk::Run(folder, mailbox->cancelled, [&](QStringList files) {
            mailbox->Post([walk, files = std::move(files)](AdditionQueue* queue) {
                queue->TakeBatch(walk, files);
            });
        });
        mailbox->Post([walk](AdditionQueue* queue) { queue->WalkEnded(walk); });
    }).detach();
}

void AdditionQueue::TakeBatch(quint64 walk, const QStringList& files) {
    if (walk != m_walk || !m_walking) {
        return;
    }
    m_bracket(true);
    for (const QString& file : files) {
        m_addFile(file);
    }
    m_bracket(false);
}

void AdditionQueue::WalkEnded(quint64 walk) {
    if (walk != m_walk || !m_walking) {
        return;
    }
    m_walking = false;
    m_mailbox.reset();
    Continue();
}

void AdditionQueue::StopWalk() {
    if (m_mailbox) {
        m_mailbox->cancelled = true;
        std::lock_guard<std::mutex> guard(m_mailbox->lock);
        m_mailbox->receiver = nullptr;
    }
    m_mailbox.reset();
    m_walking = false;
    ++m_walk;
}

}  // namespace tavi::playlist
