#pragma once

#include <QSize>
#include <QString>

#include <gst/gst.h>

#include <optional>

namespace tavi::engines {

// The first video stream of a prerolled playbin: its size in pixels, the size it shows at
// (the width corrected by the pixel aspect ratio) and the shape of its picture (reduced).
struct VideoStreamInfo {
    QSize size;
    QSize displaySize;
    QSize aspect;
};

// nullopt when the pipeline is not a playbin, has no video or has not negotiated it yet.
std::optional<VideoStreamInfo> ReadVideoStream(GstElement* playbin);

// Whether the file's extension names a format that holds sound only (an MP3, a FLAC, a WAV),
// so that playing it needs no video window or sink. Unknown extensions may hold video.
bool IsSoundOnlyFile(const QString& fileName);

}  // namespace tavi::engines
