#include "VideoSinks.h"

#include <QSize>

#include <gst/video/video.h>

namespace tavi::ui {

namespace {

gst::ElementPtr ParseBin(const char* description) {
    if (!gst::EnsureInitialized()) {
        return nullptr;
    }
    GError* error = nullptr;
    GstElement* bin = gst_parse_bin_from_description(description, TRUE, &error);
    g_clear_error(&error);
    if (!bin) {
        return nullptr;
    }
    gst_object_ref_sink(bin);
    return gst::ElementPtr(bin);
}

gst::ElementPtr ChildByName(GstElement* bin, const char* name) {
    return gst::ElementPtr(gst_bin_get_by_name(GST_BIN(bin), name));
}

// QImage::Format_RGB32 is 0xffRRGGBB per pixel, which little-endian memory holds as BGRx.
QImage ImageFromSample(GstSample* sample) {
    GstVideoInfo info;
    GstCaps* caps = gst_sample_get_caps(sample);
    GstBuffer* buffer = gst_sample_get_buffer(sample);
    GstMapInfo map;
    if (!caps || !buffer || !gst_video_info_from_caps(&info, caps) ||
        !gst_buffer_map(buffer, &map, GST_MAP_READ)) {
        return {};
    }
    QImage image(info.width, info.height, QImage::Format_RGB32);
    const int stride = GST_VIDEO_INFO_PLANE_STRIDE(&info, 0);
    const qsizetype rowBytes = qsizetype(info.width) * 4;
    for (int row = 0; row < info.height; ++row) {
        const qsizetype offset = qsizetype(row) * stride;
        if (offset + rowBytes > qsizetype(map.size)) {
            break;
        }
        memcpy(image.scanLine(row), map.data + offset, size_t(rowBytes));
    }
    gst_buffer_unmap(buffer, &map);
    return image;
}

void PostSample(GstSample* sample, gpointer data) {
    if (!sample) {
        return;
    }
    QImage image = ImageFromSample(sample);
    gst_sample_unref(sample);
    if (!image.isNull()) {
        (*static_cast<std::shared_ptr<VideoFrameMailbox>*>(data))->Post(std::move(image));
    }
}

// Both run on the streaming thread.
GstFlowReturn OnNewSample(GstElement* sink, gpointer data) {
    GstSample* sample = nullptr;
    g_signal_emit_by_name(sink, "pull-sample", &sample);
    PostSample(sample, data);
    return GST_FLOW_OK;
}

// The preroll frame, so that a paused video shows its picture.
GstFlowReturn OnNewPreroll(GstElement* sink, gpointer data) {
    GstSample* sample = nullptr;
    g_signal_emit_by_name(sink, "pull-preroll", &sample);
    PostSample(sample, data);
    return GST_FLOW_OK;
}

void DeleteMailboxReference(gpointer data, GClosure*) {
    delete static_cast<std::shared_ptr<VideoFrameMailbox>*>(data);
}

}  // namespace

OverlaySink MakeOverlaySink() {
    OverlaySink sink;
    // handle-events off: the window belongs to Qt, which takes its mouse and key events.
    sink.bin = ParseBin(
        "videoconvert ! videoscale ! capsfilter name=tavi-video-scale ! "
        "ximagesink name=tavi-video-overlay handle-events=false force-aspect-ratio=false");
    if (sink.bin) {
        sink.scaleFilter = ChildByName(sink.bin.get(), "tavi-video-scale");
        sink.overlay = ChildByName(sink.bin.get(), "tavi-video-overlay");
    }
    return sink;
}

void SetOverlayScale(GstElement* scaleFilter, QSize size) {
    GstCaps* caps = size.isEmpty()
                        ? gst_caps_new_any()
                        : gst_caps_new_simple("video/x-raw", "width", G_TYPE_INT, size.width(),
                                              "height", G_TYPE_INT, size.height(), nullptr);
    g_object_set(scaleFilter, "caps", caps, nullptr);
    gst_caps_unref(caps);
}

gst::ElementPtr MakeFrameSink(std::shared_ptr<VideoFrameMailbox> mailbox) {
    gst::ElementPtr bin = ParseBin(
        "videoconvert ! videoscale ! video/x-raw,format=BGRx,pixel-aspect-ratio=1/1 ! "
        "appsink name=tavi-video-frames sync=true max-buffers=1 drop=true emit-signals=true");
    if (!bin) {
        return nullptr;
    }
    gst::ElementPtr appsink = ChildByName(bin.get(), "tavi-video-frames");
    g_signal_connect_data(appsink.get(), "new-preroll", G_CALLBACK(OnNewPreroll),
                          new std::shared_ptr<VideoFrameMailbox>(mailbox), DeleteMailboxReference,
                          GConnectFlags(0));
    g_signal_connect_data(appsink.get(), "new-sample", G_CALLBACK(OnNewSample),
                          new std::shared_ptr<VideoFrameMailbox>(std::move(mailbox)),
                          DeleteMailboxReference, GConnectFlags(0));
    return bin;
}

}  // namespace tavi::ui
