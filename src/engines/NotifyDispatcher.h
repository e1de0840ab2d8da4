#pragma once

#include "platform/errors/CException.h"

#include <QObject>

#include <cstdint>
#include <memory>
#include <mutex>
#include <unordered_map>

namespace tavi::engines {

class CMediaTrack;

// The one object on the UI thread that receives every track's posted messages and hands
// them to the track registered under the message's number.
class NotifyDispatcher : public QObject {
    Q_OBJECT
public:
    static NotifyDispatcher& instance();

    uint64_t Register(CMediaTrack* track);
    void Unregister(uint64_t id);
    // Thread-safe.
    void Post(uint64_t id, uint32_t message, uintptr_t wParam);
    void PostError(uint64_t id, std::unique_ptr<errors::CException> error);

protected:
    void customEvent(QEvent* event) override;

private:
    NotifyDispatcher();
    void Deliver(CMediaTrack* track, uint32_t message, uintptr_t wParam,
                 std::unique_ptr<errors::CException> error);

    // Touched on the UI thread only.
    std::unordered_map<uint64_t, CMediaTrack*> m_tracks;
    uint64_t m_nextId = 1;
};

}  // namespace tavi::engines
