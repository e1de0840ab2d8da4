#pragma once

#include <QDeadlineTimer>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include <functional>

namespace tavi::app {

// Files handed to the player from outside, at start-up and by later starts: collected,
// then delivered in one go once the window is up and the bus name decided, so that an
// error box finds a window, and ten files a file manager opens at once (in one start or in
// ten) arrive together. Arrivals closer than the quiet time to each other form one batch.
class IncomingFiles : public QObject {
    Q_OBJECT
public:
    struct Actions {
        std::function<void(const QString& path)> open;             // the open rules
        std::function<void(const QStringList& paths)> add;         // added to the list
        std::function<void(const QStringList& paths)> addAndPlay;  // added; the first plays
        std::function<void()> raise;                               // brings the window forward
    };

    // What one batch does with its files.
    struct Plan {
        QString open;                 // opened by the open rules (empty: none)
        QStringList add;              // added after it
        bool playFirstAdded = false;  // the first added entry plays
    };

    explicit IncomingFiles(Actions actions, QObject* parent = nullptr);

    // A start's or another program's files: the first follows the open rules, the rest are
    // added. No files only brings the window forward. moreMayFollow waits for the quiet
    // time before delivering (starts from the desktop come in bursts).
    void HandIn(const QStringList& files, bool moreMayFollow);
    // Files to add after what the start opened itself.
    void AddLater(const QStringList& files);
    // From now on batches are delivered (start-up is over). Nothing is delivered before.
    void SetReady();
    bool HasPending() const { return !m_pending.isEmpty() || m_raise; }

    // How a batch is delivered: one file is opened by the open rules; of several, a
    // playlist or folder first is opened and the others added, a media file first is added
    // with the others and played from the list, so that the list holds every file opened.
    // Files marked add-only at the head of a batch are added. A batch of several starts of
    // one file each (a file manager that starts one process a file) has no order of its
    // own: it is listed in natural order.
    static Plan PlanFor(const QStringList& openFirst, const QStringList& addOnly);

    static constexpr int kQuietMs = 400;
    // A batch that comes this soon after the last one is the tail of the same burst (starts
    // that were slow to come up): its files are added, and a media file the burst began
    // with, played on its own by the open rules, is listed with them.
    static constexpr int kBurstTailMs = 4000;

private:
    void Deliver();

    Actions m_actions;
    QTimer m_quiet;
    QStringList m_pending;      // in the order they came
    int m_addOnlyHead = 0;      // how many at the head of m_pending are add-only
    int m_arrivals = 0;         // hand-ins with files in m_pending
    bool m_onlySingles = true;  // each of them held one file
    bool m_raise = false;
    QDeadlineTimer m_burstTail;  // running after a batch was delivered
    QString m_burstHead;         // the media file the burst began with, not listed yet
    bool m_ready = false;
};

}  // namespace tavi::app
