#include "VideoSurfaceWidget.h"

#include <QGuiApplication>
#include <QPainter>

#include <gst/video/videooverlay.h>

namespace tavi::ui {

VideoSurfaceWidget::VideoSurfaceWidget(QWidget* parent) : QWidget(parent), m_mode(ChooseMode()) {
    setMouseTracking(true);
    if (m_mode == Mode::Overlay) {
        // ximagesink draws straight into this window; Qt must not paint over it.
        setAttribute(Qt::WA_NativeWindow);
        setAttribute(Qt::WA_PaintOnScreen);
        setAttribute(Qt::WA_NoSystemBackground);
    } else {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }
}

VideoSurfaceWidget::~VideoSurfaceWidget() {
    ReleaseSink();
}

VideoSurfaceWidget::Mode VideoSurfaceWidget::ChooseMode() {
    if (QGuiApplication::platformName() != QLatin1String("xcb") || !gst::EnsureInitialized()) {
        return Mode::Frames;
    }
    GstElementFactory* factory = gst_element_factory_find("ximagesink");
    if (!factory) {
        return Mode::Frames;
    }
    gst_object_unref(factory);
    return Mode::Overlay;
}

void VideoSurfaceWidget::ReleaseSink() {
    if (m_mailbox) {
        m_mailbox->Disconnect();
        m_mailbox.reset();
    }
    m_overlay = OverlaySink();
}

engines::VideoSurface VideoSurfaceWidget::CreateSurface() {
    ReleaseSink();
    m_frame = QImage();
    update();
    if (m_mode == Mode::Overlay) {
        m_overlay = MakeOverlaySink();
        if (m_overlay.bin) {
            // The native window exists from here on; the handle is read on this thread only.
            const guintptr handle = guintptr(winId());
            return {gst::ElementPtr(GST_ELEMENT(gst_object_ref(m_overlay.bin.get()))), handle};
        }
    }
    m_mailbox = std::make_shared<VideoFrameMailbox>(this, [this](const QImage& frame) {
        m_frame = frame;
        update();
    });
    return {MakeFrameSink(m_mailbox), 0};
}

QPaintEngine* VideoSurfaceWidget::paintEngine() const {
    return m_mode == Mode::Overlay ? nullptr : QWidget::paintEngine();
}

void VideoSurfaceWidget::paintEvent(QPaintEvent*) {
    if (m_mode == Mode::Overlay) {
        return;
    }
    QPainter painter(this);
    if (m_frame.isNull()) {
        painter.fillRect(rect(), Qt::black);
        return;
    }
    // The window gave this widget the picture's shape, so the frame fills it.
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rect(), m_frame);
}

void VideoSurfaceWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (m_overlay.scaleFilter) {
        SetOverlayScale(m_overlay.scaleFilter.get(), size());
    }
    Expose();
}

void VideoSurfaceWidget::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    Expose();
}

void VideoSurfaceWidget::Expose() {
    if (m_overlay.overlay) {
        gst_video_overlay_expose(GST_VIDEO_OVERLAY(m_overlay.overlay.get()));
    }
}

}  // namespace tavi::ui
