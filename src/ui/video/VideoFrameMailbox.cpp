#include "VideoFrameMailbox.h"

#include <QMetaObject>

namespace tavi::ui {

VideoFrameMailbox::VideoFrameMailbox(QObject* receiver, std::function<void(const QImage&)> deliver)
    : m_receiver(receiver), m_deliver(std::move(deliver)) {}

void VideoFrameMailbox::Post(QImage frame) {
    QMutexLocker lock(&m_mutex);
    if (!m_receiver) {
        return;
    }
    m_latest = std::move(frame);
    if (m_pending) {
        return;
    }
    m_pending = true;
    // The receiver cannot be destroyed meanwhile: its owner disconnects under this lock
    // first, and a queued call whose context object is gone is dropped by Qt.
    QMetaObject::invokeMethod(
        m_receiver.data(), [self = shared_from_this()] { self->Deliver(); }, Qt::QueuedConnection);
}

void VideoFrameMailbox::Disconnect() {
    QMutexLocker lock(&m_mutex);
    m_receiver.clear();
    m_latest = QImage();
}

void VideoFrameMailbox::Deliver() {
    QImage frame;
    {
        QMutexLocker lock(&m_mutex);
        m_pending = false;
        if (!m_receiver) {
            return;
        }
        frame = std::move(m_latest);
        m_latest = QImage();
    }
    if (!frame.isNull()) {
        m_deliver(frame);
    }
}

}  // namespace tavi::ui
