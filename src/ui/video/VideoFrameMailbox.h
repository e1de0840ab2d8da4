#pragma once

#include <QImage>
#include <QMutex>
#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

namespace tavi::ui {

// Hands decoded frames from a streaming thread to the UI thread. Only the newest frame is
// kept: when frames come faster than the UI draws, the older ones are dropped rather than
// queued. The sink holds one reference and the widget another; whichever goes last frees it.
class VideoFrameMailbox : public std::enable_shared_from_this<VideoFrameMailbox> {
public:
    // deliver runs on receiver's thread with each frame taken from the mailbox.
    VideoFrameMailbox(QObject* receiver, std::function<void(const QImage&)> deliver);

    // Any thread. Does nothing once disconnected.
    void Post(QImage frame);
    // Receiver's thread: no frame is delivered after this returns.
    void Disconnect();

private:
    void Deliver();

    QMutex m_mutex;  // guards the members below
    QPointer<QObject> m_receiver;
    QImage m_latest;
    bool m_pending = false;
    std::function<void(const QImage&)> m_deliver;
};

}  // namespace tavi::ui
