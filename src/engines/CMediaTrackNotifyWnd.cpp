#include "CMediaTrackNotifyWnd.h"

#include "NotifyDispatcher.h"

namespace tavi::engines {

CMediaTrackNotifyWnd::~CMediaTrackNotifyWnd() {
    Destroy();
}

void CMediaTrackNotifyWnd::Create(CMediaTrack* track, const QString& title) {
    Destroy();
    m_title = title;
    m_id = NotifyDispatcher::instance().Register(track);
}

void CMediaTrackNotifyWnd::Destroy() {
    if (const uint64_t id = m_id.exchange(0)) {
        NotifyDispatcher::instance().Unregister(id);
    }
}

void CMediaTrackNotifyWnd::PostMessage(uint32_t message, uintptr_t wParam) const {
    if (const uint64_t id = m_id.load()) {
        NotifyDispatcher::instance().Post(id, message, wParam);
    }
}

std::function<void()> CMediaTrackNotifyWnd::MessagePoster(uint32_t message) const {
    return [id = m_id.load(), message] {
        if (id != 0) {
            NotifyDispatcher::instance().Post(id, message, 0);
        }
    };
}

std::function<void(uintptr_t)> CMediaTrackNotifyWnd::ParamPoster(uint32_t message) const {
    return [id = m_id.load(), message](uintptr_t wParam) {
        if (id != 0) {
            NotifyDispatcher::instance().Post(id, message, wParam);
        }
    };
}

std::function<void(std::unique_ptr<errors::CException>)> CMediaTrackNotifyWnd::ErrorPoster() const {
    return [id = m_id.load()](std::unique_ptr<errors::CException> error) {
        if (id != 0) {
            NotifyDispatcher::instance().PostError(id, std::move(error));
        }
    };
}

void CMediaTrackNotifyWnd::PostError(std::unique_ptr<errors::CException> error) const {
    if (const uint64_t id = m_id.load()) {
        NotifyDispatcher::instance().PostError(id, std::move(error));
    }
}

}  // namespace tavi::engines
