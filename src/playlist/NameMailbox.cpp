#include "NameMailbox.h"

#include <QCoreApplication>
#include <QEvent>

namespace tavi::playlist {

void NameMailbox::put(Name name) {
    if (!isCurrent(name.generation)) {
        return;
    }
    const std::lock_guard lock(m_lock);
    m_contents.names.push_back(std::move(name));
    postLocked();
}

void NameMailbox::finishJob() {
    const std::lock_guard lock(m_lock);
    ++m_contents.jobsFinished;
    postLocked();
}

NameMailbox::Contents NameMailbox::take() {
    const std::lock_guard lock(m_lock);
    m_posted = false;
    return std::exchange(m_contents, {});
}

void NameMailbox::close() {
    const std::lock_guard lock(m_lock);
    m_receiver = nullptr;
    startGeneration();  // running jobs stop at their next file
}

// The receiver cannot be destroyed while the lock is held: its destructor closes first.
void NameMailbox::postLocked() {
    if (m_posted || !m_receiver) {
        return;
    }
    m_posted = true;
    QCoreApplication::postEvent(m_receiver, new QEvent(QEvent::Type(m_eventType)));
}

}  // namespace tavi::playlist
