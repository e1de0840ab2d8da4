#pragma once

#include "VideoFrameMailbox.h"
#include "VideoSinks.h"
#include "engines/VideoWindowHost.h"

#include <QImage>
#include <QWidget>

#include <map>
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
    // A sink for a new pipeline; it shows here once ShowSurface names it.
    engines::VideoSurface CreateSurface();
    // Shows the surface with this id (0: none) instead of the one shown so far.
    void ShowSurface(uint64_t id);
    // The frame shown in Frames mode; null before the first one.
    const QImage& currentFrame() const { return m_frame; }
    // How many frames of the shown surfaces have arrived so far.
    int framesShown() const { return m_framesShown; }
    // How many sinks CreateSurface has made so far.
    uint64_t surfacesMade() const { return m_nextId - 1; }

    QPaintEngine* paintEngine() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // One sink this widget made: in Frames mode its mailbox, in Overlay mode its scaler and
    // overlay (to rescale and redraw).
    struct Sink {
        std::shared_ptr<VideoFrameMailbox> mailbox;
        OverlaySink overlay;
        bool InUse() const;
    };

    static Mode ChooseMode();
    void ForgetUnusedSinks();
    void FitOverlay();

    Mode m_mode;
    std::map<uint64_t, Sink> m_sinks;
    uint64_t m_nextId = 1;
    uint64_t m_shownId = 0;
    QImage m_frame;  // the newest frame of the shown sink
    int m_framesShown = 0;
};

}  // namespace tavi::ui
