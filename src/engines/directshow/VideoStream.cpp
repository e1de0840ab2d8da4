#include "VideoStream.h"

#include <QFileInfo>
#include <QSet>

#include <gst/video/video.h>

#include <numeric>

namespace tavi::engines {

std::optional<VideoStreamInfo> ReadVideoStream(GstElement* playbin) {
    if (!playbin || !g_object_class_find_property(G_OBJECT_GET_CLASS(playbin), "n-video")) {
        return std::nullopt;
    }
    GstPad* pad = nullptr;
    g_signal_emit_by_name(playbin, "get-video-pad", 0, &pad);
    if (!pad) {
        return std::nullopt;
    }
    GstCaps* caps = gst_pad_get_current_caps(pad);
    gst_object_unref(pad);
    GstVideoInfo info;
    const bool parsed = caps && gst_video_info_from_caps(&info, caps);
    if (caps) {
        gst_caps_unref(caps);
    }
    if (!parsed || info.width <= 0 || info.height <= 0) {
        return std::nullopt;
    }
    const int parN = info.par_n > 0 ? info.par_n : 1;
    const int parD = info.par_d > 0 ? info.par_d : 1;
    int64_t x = int64_t(info.width) * parN;
    int64_t y = int64_t(info.height) * parD;
    const QSize display(int((x + parD / 2) / parD), info.height);
    const int64_t divisor = std::gcd(x, y);
    x /= divisor;
    y /= divisor;
    return VideoStreamInfo{QSize(info.width, info.height), display, QSize(int(x), int(y))};
}

// Containers that can carry a picture stream (Ogg, Matroska, MP4, ASF) are not listed, except
// where their extension is the sound-only convention (.oga, .m4a, .wma).
bool IsSoundOnlyFile(const QString& fileName) {
    static const QSet<QString> soundOnly = {
        QStringLiteral("mp3"),  QStringLiteral("mp2"),  QStringLiteral("mp1"),
        QStringLiteral("mpa"),  QStringLiteral("flac"), QStringLiteral("wav"),
        QStringLiteral("aac"),  QStringLiteral("ac3"),  QStringLiteral("opus"),
        QStringLiteral("oga"),  QStringLiteral("spx"),  QStringLiteral("aif"),
        QStringLiteral("aiff"), QStringLiteral("aifc"), QStringLiteral("au"),
        QStringLiteral("snd"),  QStringLiteral("ape"),  QStringLiteral("wv"),
        QStringLiteral("mpc"),  QStringLiteral("tta"),  QStringLiteral("amr"),
        QStringLiteral("m4a"),  QStringLiteral("wma")};
    return soundOnly.contains(QFileInfo(fileName).suffix().toLower());
}

}  // namespace tavi::engines
