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
    for (auto& [id, sink] : m_sinks) {
        if (sink.mailbox) {
            sink.mailbox->Disconnect();
        }
    }
}

// A sink is in use while a pipeline other than this widget still holds it.
bool VideoSurfaceWidget::Sink::InUse() const {
    if (mailbox) {
        return mailbox.use_count() > 1;
    }
    return overlay.bin && GST_OBJECT_REFCOUNT_VALUE(overlay.bin.get()) > 1;
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

void VideoSurfaceWidget::ForgetUnusedSinks() {
    for (auto it = m_sinks.begin(); it != m_sinks.end();) {
        if (it->first == m_shownId || it->second.InUse()) {
            ++it;
            continue;
        }
        if (it->second.mailbox) {
            it->second.mailbox->Disconnect();
        }
        it = m_sinks.erase(it);
    }
}

engines::VideoSurface VideoSurfaceWidget::CreateSurface() {
    ForgetUnusedSinks();
    const uint64_t id = m_nextId++;
    Sink& sink = m_sinks[id];
    if (m_mode == Mode::Overlay) {
        sink.overlay = MakeOverlaySink();
        if (sink.overlay.bin) {
            // The native window exists from here on; the handle is read on this thread only.
            const guintptr handle = guintptr(winId());
            return {gst::ElementPtr(GST_ELEMENT(gst_object_ref(sink.overlay.bin.get()))), handle,
                    id};
        }
    }
    sink.mailbox = std::make_shared<VideoFrameMailbox>(this, [this, id](const QImage& frame) {
        if (id == m_shownId) {
            m_frame = frame;
            ++m_framesShown;
            update();
        }
    });
    return {MakeFrameSink(sink.mailbox), 0, id};
}

void VideoSurfaceWidget::ShowSurface(uint64_t id) {
    m_shownId = id;
    m_frame = QImage();
    update();
    FitOverlay();
}

// ximagesink does not scale: the shown overlay's scaler is told this widget's size.
void VideoSurfaceWidget::FitOverlay() {
    const auto shown = m_sinks.find(m_shownId);
    if (shown == m_sinks.end() || !shown->second.overlay.bin) {
        return;
    }
    SetOverlayScale(shown->second.overlay.scaleFilter.get(), size());
    gst_video_overlay_expose(GST_VIDEO_OVERLAY(shown->second.overlay.overlay.get()));
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
    FitOverlay();
}

void VideoSurfaceWidget::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    FitOverlay();
}

}  // namespace tavi::ui
