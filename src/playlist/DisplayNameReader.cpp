#include "DisplayNameReader.h"

#include "DisplayName.h"
#include "NameMailbox.h"

#include <QCoreApplication>
#include <QEvent>
#include <QThread>
#include <QThreadPool>
#include <QTimer>

#include <algorithm>

namespace tavi::playlist {

namespace {

const int kNamesArrived = QEvent::registerEventType();

// A waiting request this many requests old is queued again when asked for once more.
constexpr std::uint64_t kRequeueAge = 2 * DisplayNameReader::kBatchSize;

constexpr int kExitWaitMs = 2000;

// Reading names mostly waits for the disk (or the network, or the discoverer's timeout), so
// at least two threads even on one core. The pool is never destroyed: at the application's
// end it waits a while for the files being read, but a file that hangs (a stalled mount)
// must not hold the exit up for ever.
QThreadPool& namePool() {
    static QThreadPool* pool = [] {
        auto* threads = new QThreadPool;
        threads->setMaxThreadCount(std::max(2, QThread::idealThreadCount()));
        threads->setObjectName(QStringLiteral("display names"));
        qAddPostRoutine([] { namePool().waitForDone(kExitWaitMs); });
        return threads;
    }();
    return *pool;
}

void readNames(const std::shared_ptr<NameMailbox>& mailbox, std::uint64_t generation,
               const NameOptions& options, const DisplayNameHooks::MediaFileName& hook,
               const std::vector<QString>& paths) {
    for (const QString& path : paths) {
        if (!mailbox->isCurrent(generation)) {
            break;
        }
        mailbox->put({generation, path, GetFileDisplayName(path, options, hook)});
    }
    mailbox->finishJob();
}

}  // namespace

DisplayNameReader::DisplayNameReader(QObject* parent)
    : QObject(parent), m_mailbox(std::make_shared<NameMailbox>(this, kNamesArrived)) {}

DisplayNameReader::~DisplayNameReader() {
    m_mailbox->close();
}

void DisplayNameReader::request(int row, const QString& path) {
    auto it = m_pending.find(path);
    if (it == m_pending.end()) {
        it = m_pending.insert(path, Pending{{row}, m_nextOrder++, false});
        m_queue.emplace_back(path, it->order);
        scheduleDispatch();
        return;
    }
    if (std::find(it->rows.begin(), it->rows.end(), row) == it->rows.end()) {
        it->rows.push_back(row);
    }
    if (!it->started && it->order + kRequeueAge < m_nextOrder) {
        it->order = m_nextOrder++;
        m_queue.emplace_back(path, it->order);  // the older queue item is skipped later
        scheduleDispatch();
    }
}

void DisplayNameReader::clear() {
    m_mailbox->startGeneration();
    m_pending.clear();
    m_queue.clear();
}

void DisplayNameReader::customEvent(QEvent* event) {
    if (event->type() == QEvent::Type(kNamesArrived)) {
        deliver();
    }
}

// Requests made while a view paints go out together at the next turn of the event loop.
void DisplayNameReader::scheduleDispatch() {
    if (!m_dispatchScheduled) {
        m_dispatchScheduled = true;
        QTimer::singleShot(0, this, [this] {
            m_dispatchScheduled = false;
            dispatch();
        });
    }
}

void DisplayNameReader::dispatch() {
    const int maxRunning = namePool().maxThreadCount();
    while (m_running < maxRunning) {
        std::vector<QString> batch = takeBatch();
        if (batch.empty()) {
            return;
        }
        startJob(std::move(batch));
    }
}

std::vector<QString> DisplayNameReader::takeBatch() {
    std::vector<QString> batch;
    while (!m_queue.empty() && int(batch.size()) < kBatchSize) {
        auto [path, order] = std::move(m_queue.back());
        m_queue.pop_back();
        const auto it = m_pending.find(path);
        if (it == m_pending.end() || it->started || it->order != order) {
            continue;  // delivered, dropped or queued again nearer the front
        }
        it->started = true;
        batch.push_back(std::move(path));
    }
    return batch;
}

// The job gets everything it needs by value: it must not read the settings, the hooks or
// anything of the model on its thread.
void DisplayNameReader::startJob(std::vector<QString> paths) {
    ++m_running;
    namePool().start(
        [mailbox = m_mailbox, generation = m_mailbox->generation(),
         options = NameOptions::Current(), hook = displayNameHooks().mediaFileName,
         paths = std::move(paths)] { readNames(mailbox, generation, options, hook, paths); });
}

void DisplayNameReader::deliver() {
    NameMailbox::Contents contents = m_mailbox->take();
    m_running -= contents.jobsFinished;
    std::vector<ReadName> names;
    names.reserve(contents.names.size());
    for (NameMailbox::Name& read : contents.names) {
        const auto it = m_pending.find(read.path);
        if (!m_mailbox->isCurrent(read.generation) || it == m_pending.end() || !it->started) {
            continue;
        }
        names.push_back({std::move(read.path), std::move(read.name), std::move(it->rows)});
        m_pending.erase(it);
    }
    if (!names.empty()) {
        Q_EMIT namesRead(names);
    }
    dispatch();
}

}  // namespace tavi::playlist
