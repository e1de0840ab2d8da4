#pragma once

#include "VideoFrameMailbox.h"
#include "platform/gst/GstSupport.h"

#include <memory>

namespace tavi::ui {

// A sink bin that draws through ximagesink's GstVideoOverlay into a native window. ximagesink
// does not scale, so the bin scales to the size set on its caps filter.
struct OverlaySink {
    gst::ElementPtr bin;
    gst::ElementPtr scaleFilter;  // capsfilter: the size to scale to
    gst::ElementPtr overlay;      // the ximagesink
};

// Empty (null bin) when ximagesink is not installed.
OverlaySink MakeOverlaySink();
// Asks the overlay's upstream to scale to size from the next frame on; size empty = as is.
void SetOverlayScale(GstElement* scaleFilter, QSize size);

// A sink bin whose frames (32-bit RGB, square pixels) are posted to mailbox, paced by the
// pipeline's clock. Null when an element is missing.
gst::ElementPtr MakeFrameSink(std::shared_ptr<VideoFrameMailbox> mailbox);

}  // namespace tavi::ui
