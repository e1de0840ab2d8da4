#pragma once

#include "platform/gst/GstSupport.h"

#include <QRect>
#include <QSize>
#include <QString>

#include <functional>

namespace tavi::engines {

class CMediaTrack;

// What a video engine draws into: a sink element for the pipeline and, when that sink is a
// GstVideoOverlay (X11), the native window it must draw into. windowHandle is 0 when the
// sink paints into the window by itself. id names the surface when its track attaches.
struct VideoSurface {
    gst::ElementPtr sink;
    guintptr windowHandle = 0;
    uint64_t id = 0;
};

// The one shared video window as engines see it; the widget that implements it lives in
// the UI layer and registers itself at start-up, so engines never include widget headers.
// Every operation runs on the UI thread.
class VideoWindowHost {
public:
    virtual ~VideoWindowHost() = default;

    // The video hook: while attached, the window's size changes reach the track's
    // OnVideoSize and its close request the track's OnVideoClose, and the window shows the
    // track's surface (made by CreateVideoSurface; 0 for none). Attaching replaces the
    // previous track; detaching a track that is not attached does nothing.
    virtual void AttachTrack(CMediaTrack* track, uint64_t surfaceId) = 0;
    virtual void DetachTrack(CMediaTrack* track) = 0;

    virtual void SetTitle(const QString& title) = 0;
    // Hides the window after the time unless cancelled; the next video cancels it.
    virtual void DelayedHide(int milliseconds) = 0;
    // Stops a pending delayed hide and shows the window if it is hidden.
    virtual void CancelDelayedHide() = 0;

    virtual bool IsFullScreen() const = 0;
    virtual bool IsMaximized() const = 0;
    virtual void SetFullScreen(bool on) = 0;
    virtual void Maximize() = 0;
    // The size of the area video can occupy.
    virtual QSize ClientSize() const = 0;
    // Keeps the top-left corner and makes the client area exactly the video's size; shows.
    virtual void SizeToVideo(QSize video) = 0;
    // Where the picture goes, in client coordinates; the rest stays black.
    virtual void SetVideoPosition(const QRect& rect) = 0;

    // A new sink for one pipeline. It draws into this window once its track is attached;
    // a pipeline that turns out to have no video simply never uses it.
    virtual VideoSurface CreateVideoSurface() = 0;
};

// The widget layer registers a provider that creates the window on first use and returns
// the same one afterwards. Without a provider, video is decoded and discarded.
void SetVideoWindowProvider(std::function<VideoWindowHost*()> provider);
// The shared window, created now if needed; null when no provider is registered.
VideoWindowHost* videoWindowHost();

}  // namespace tavi::engines
