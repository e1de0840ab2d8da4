#pragma once

#include "platform/errors/CException.h"

#include <QString>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>

namespace tavi::engines {

class CMediaTrack;

// Turns messages from engine worker threads (and device completion notices) into callback
// calls on the UI thread. Workers hold no pointer to the track: they post to the track's
// registration number, and a message that arrives after the track closed is dropped.
class CMediaTrackNotifyWnd {
public:
    static constexpr uint32_t kTrackEndedMessage = 0x8001;  // end of play
    // An open that went on in the background ended: for the track itself (OnOpenEnded).
    static constexpr uint32_t kOpenEndedMessage = 0x8010;
    static constexpr uint32_t kMciNotifyMessage = 0x03B9;  // device completion notice
    // Notification codes of kMciNotifyMessage.
    static constexpr uint32_t kMciNotifySuccessful = 1;
    static constexpr uint32_t kMciNotifySuperseded = 2;
    static constexpr uint32_t kMciNotifyAborted = 4;
    static constexpr uint32_t kMciNotifyFailure = 8;

    CMediaTrackNotifyWnd() = default;
    ~CMediaTrackNotifyWnd();
    CMediaTrackNotifyWnd(const CMediaTrackNotifyWnd&) = delete;
    CMediaTrackNotifyWnd& operator=(const CMediaTrackNotifyWnd&) = delete;

    // UI thread: starts delivering messages to track's callback. title names the track.
    void Create(CMediaTrack* track, const QString& title);
    // UI thread: stops delivery; messages still queued are dropped.
    void Destroy();
    bool IsCreated() const { return m_id != 0; }
    const QString& GetTitle() const { return m_title; }

    // Any thread: queues a message for the UI thread. Does nothing when not created.
    void PostMessage(uint32_t message, uintptr_t wParam = 0) const;
    // Any thread: an error that arose while playing, for the owner's OnTrackError.
    void PostError(std::unique_ptr<errors::CException> error) const;
    // Posts message for this registration from any thread, even after this object is gone
    // (it is then dropped like any message for a closed track).
    std::function<void()> MessagePoster(uint32_t message) const;
    // The same for a message that carries a parameter (a device's notice code).
    std::function<void(uintptr_t)> ParamPoster(uint32_t message) const;
    // The same for an error (PostError).
    std::function<void(std::unique_ptr<errors::CException>)> ErrorPoster() const;

private:
    std::atomic<uint64_t> m_id = 0;  // read by posting workers
    QString m_title;
};

}  // namespace tavi::engines
