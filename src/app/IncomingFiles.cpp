#include "IncomingFiles.h"

#include "platform/fs/FolderOrder.h"
#include "playlist/EntryKinds.h"

#include <utility>

namespace tavi::app {

IncomingFiles::IncomingFiles(Actions actions, QObject* parent)
    : QObject(parent), m_actions(std::move(actions)) {
    m_quiet.setSingleShot(true);
    connect(&m_quiet, &QTimer::timeout, this, &IncomingFiles::Deliver);
}

void IncomingFiles::HandIn(const QStringList& files, bool moreMayFollow) {
    m_pending += files;
    if (!files.isEmpty()) {
        ++m_arrivals;
        m_onlySingles = m_onlySingles && files.size() == 1;
    }
    m_raise = m_raise || files.isEmpty();
    m_quiet.start(moreMayFollow ? kQuietMs : 0);
}

void IncomingFiles::AddLater(const QStringList& files) {
    if (m_addOnlyHead == m_pending.size()) {
        m_addOnlyHead += int(files.size());
    }
    m_pending += files;
    if (!m_quiet.isActive()) {
        m_quiet.start(0);
    }
}

void IncomingFiles::SetReady() {
    m_ready = true;
    if (HasPending() && !m_quiet.isActive()) {
        m_quiet.start(0);
    }
}

IncomingFiles::Plan IncomingFiles::PlanFor(const QStringList& openFirst,
                                           const QStringList& addOnly) {
    Plan plan;
    plan.add = addOnly;
    if (openFirst.isEmpty()) {
        return plan;
    }
    const QString& first = openFirst.first();
    const bool media = playlist::IsMediaFile(first) && !playlist::IsMiniPlaylistFile(first);
    if (addOnly.isEmpty() && (openFirst.size() == 1 || !media)) {
        plan.open = first;
        plan.add = openFirst.mid(1);
        return plan;
    }
    plan.playFirstAdded = addOnly.isEmpty();
    plan.add += openFirst;
    return plan;
}

void IncomingFiles::Deliver() {
    if (!m_ready) {
        return;  // SetReady starts the delivery
    }
    QStringList openFirst = m_pending.mid(m_addOnlyHead);
    QStringList addOnly = m_pending.mid(0, m_addOnlyHead);
    const bool tail = !m_burstTail.hasExpired() && !openFirst.isEmpty();
    if (tail && !m_burstHead.isEmpty()) {
        openFirst.prepend(std::exchange(m_burstHead, {}));
        ++m_arrivals;
    }
    if (m_arrivals > 1 && m_onlySingles) {
        fs::SortPaths(openFirst);
    }
    if (tail) {
        addOnly += std::exchange(openFirst, {});
    }
    m_pending.clear();
    m_addOnlyHead = 0;
    m_arrivals = 0;
    m_onlySingles = true;
    const Plan plan = PlanFor(openFirst, addOnly);
    if (!plan.open.isEmpty() || !plan.add.isEmpty()) {
        m_burstTail = QDeadlineTimer(kBurstTailMs);
        const bool media =
            playlist::IsMediaFile(plan.open) && !playlist::IsMiniPlaylistFile(plan.open);
        m_burstHead = plan.add.isEmpty() && media ? plan.open : QString();
    }
    if (!plan.open.isEmpty()) {
        m_actions.open(plan.open);
    }
    if (!plan.add.isEmpty()) {
        (plan.playFirstAdded ? m_actions.addAndPlay : m_actions.add)(plan.add);
    }
    if (std::exchange(m_raise, false) && m_actions.raise) {
        m_actions.raise();
    }
}

}  // namespace tavi::app
