#include "NotifyDispatcher.h"

#include "CMediaTrack.h"
#include "CMediaTrackCallback.h"
#include "CMediaTrackNotifyWnd.h"
#include "exceptions/CTrackException.h"

#include <QCoreApplication>
#include <QEvent>

namespace tavi::engines {

namespace {

const QEvent::Type kNotifyEventType = static_cast<QEvent::Type>(QEvent::registerEventType());

// An error posted by a worker travels as message 0 with the error attached.
constexpr uint32_t kErrorMessage = 0;

struct NotifyEvent : QEvent {
    NotifyEvent(uint64_t id, uint32_t message, uintptr_t wParam,
                std::unique_ptr<errors::CException> error = nullptr)
        : QEvent(kNotifyEventType),
          id(id),
          message(message),
          wParam(wParam),
          error(std::move(error)) {}
    uint64_t id;
    uint32_t message;
    uintptr_t wParam;
    std::unique_ptr<errors::CException> error;
};

}  // namespace

NotifyDispatcher::NotifyDispatcher() {
    if (QCoreApplication* app = QCoreApplication::instance()) {
        moveToThread(app->thread());
    }
}

NotifyDispatcher& NotifyDispatcher::instance() {
    static NotifyDispatcher* dispatcher = new NotifyDispatcher;  // lives as long as the program
    return *dispatcher;
}

uint64_t NotifyDispatcher::Register(CMediaTrack* track) {
    const uint64_t id = m_nextId++;
    m_tracks.emplace(id, track);
    return id;
}

void NotifyDispatcher::Unregister(uint64_t id) {
    m_tracks.erase(id);
}

void NotifyDispatcher::Post(uint64_t id, uint32_t message, uintptr_t wParam) {
    QCoreApplication::postEvent(this, new NotifyEvent(id, message, wParam));
}

void NotifyDispatcher::PostError(uint64_t id, std::unique_ptr<errors::CException> error) {
    QCoreApplication::postEvent(this, new NotifyEvent(id, kErrorMessage, 0, std::move(error)));
}

void NotifyDispatcher::customEvent(QEvent* event) {
    if (event->type() != kNotifyEventType) {
        return;
    }
    auto* notify = static_cast<NotifyEvent*>(event);
    const auto it = m_tracks.find(notify->id);
    if (it != m_tracks.end()) {
        Deliver(it->second, notify->message, notify->wParam, std::move(notify->error));
    }
}

// The callback may close and delete the track; nothing here touches it afterwards.
void NotifyDispatcher::Deliver(CMediaTrack* track, uint32_t message, uintptr_t wParam,
                               std::unique_ptr<errors::CException> error) {
    if (message == CMediaTrackNotifyWnd::kOpenEndedMessage) {
        track->OnOpenEnded();
        return;
    }
    CMediaTrackCallback* callback = track->GetCallback();
    if (!callback) {
        return;
    }
    if (error) {
        callback->OnTrackError(track, std::move(error));
    } else if (message == CMediaTrackNotifyWnd::kTrackEndedMessage) {
        callback->OnTrackEnded(track);
    } else if (message == CMediaTrackNotifyWnd::kMciNotifyMessage) {
        if (wParam == CMediaTrackNotifyWnd::kMciNotifySuccessful) {
            callback->OnTrackEnded(track);
        } else if (wParam == CMediaTrackNotifyWnd::kMciNotifyFailure) {
            callback->OnTrackError(track, std::make_unique<CTrackException>());
        }
        // Superseded and aborted notices mean a newer command took over: not an end.
    }
}

}  // namespace tavi::engines
