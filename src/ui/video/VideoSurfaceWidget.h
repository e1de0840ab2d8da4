#pragma once

#include "VideoFrameMailbox.h"
#include "VideoSinks.h"
#include "engines/VideoWindowHost.h"

#include <QImage>
#include <QWidget>

#include <memory>

namespace tavi::ui {

// The part of the video window the picture occupies (the window places it, the rest stays
// black). Under X11 it is a native window that ximagesink draws into; elsewhere (offscreen,
// Wayland) it paints the frames a GStreamer app sink hands over.
class VideoSurfaceWidget : public QWidget {
    Q_OBJECT
public:
    enum class Mode { Overlay, Frames };

    explicit VideoSurfaceWidget(QWidget* parent);
    ~VideoSurfaceWidget() override;

    Mode mode() const { return m_mode; }
    // A sink for a new pipeline; the previous one stops drawing here.
    engines::VideoSurface CreateSurface();
    // The frame shown in Frames mode; null before the first one.
    const QImage& currentFrame() const { return m_frame; }

    QPaintEngine* paintEngine() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    static Mode ChooseMode();
    void ReleaseSink();
    void Expose();

    Mode m_mode;
    // Frames mode: the current sink's mailbox and the newest frame it delivered.
    std::shared_ptr<VideoFrameMailbox> m_mailbox;
    QImage m_frame;
    // Overlay mode: the current sink's scaler and overlay, to rescale and redraw.
    OverlaySink m_overlay;
};

}  // namespace tavi::ui
