#pragma once

#include <QString>

#include <gst/gst.h>

#include <initializer_list>

namespace tavi::test {

// Writes generated media with GStreamer's own encoders, so no binary sample is kept in the
// repository. Returns false when the pipeline fails (an encoder missing, say).
inline bool RunPipeline(const QString& description) {
    gst_init(nullptr, nullptr);
    GError* error = nullptr;
    GstElement* pipeline = gst_parse_launch(description.toUtf8().constData(), &error);
    if (!pipeline) {
        g_clear_error(&error);
        return false;
    }
    g_clear_error(&error);
    gst_element_set_state(pipeline, GST_STATE_PLAYING);
    GstBus* bus = gst_element_get_bus(pipeline);
    GstMessage* message = gst_bus_timed_pop_filtered(
        bus, 60 * GST_SECOND, GstMessageType(GST_MESSAGE_EOS | GST_MESSAGE_ERROR));
    const bool ok = message && GST_MESSAGE_TYPE(message) == GST_MESSAGE_EOS;
    if (message) {
        gst_message_unref(message);
    }
    gst_object_unref(bus);
    gst_element_set_state(pipeline, GST_STATE_NULL);
    gst_object_unref(pipeline);
    return ok;
}

// Buffers of 1024 samples at 44.1 kHz: this many make about `seconds` of sound.
inline int BuffersFor(double seconds) {
    return int(seconds * 44100 / 1024 + 0.5);
}

inline QString Quoted(const QString& path) {
    return QLatin1Char('"') + path + QLatin1Char('"');
}

inline bool MakeWav(const QString& path, double seconds, const QString& infoTags = {}) {
    const QString tags =
        infoTags.isEmpty() ? QString() : QStringLiteral(" ! taginject tags=\"%1\"").arg(infoTags);
    return RunPipeline(
        QStringLiteral("audiotestsrc num-buffers=%1 ! audio/x-raw,rate=44100,channels=2 ! "
                       "audioconvert%2 ! wavenc ! filesink location=%3")
            .arg(BuffersFor(seconds))
            .arg(tags, Quoted(path)));
}

inline bool MakeMp3(const QString& path, double seconds, const QString& tags = {}) {
    const QString inject =
        tags.isEmpty() ? QString() : QStringLiteral(" ! taginject tags=\"%1\"").arg(tags);
    return RunPipeline(
        QStringLiteral("audiotestsrc num-buffers=%1 ! audio/x-raw,rate=44100,channels=2 ! "
                       "audioconvert ! lamemp3enc target=bitrate cbr=true bitrate=128 ! xingmux%2 "
                       "! id3v2mux ! filesink location=%3")
            .arg(BuffersFor(seconds))
            .arg(inject, Quoted(path)));
}

// An MP3 as plain constant-bitrate encoders write it: no Xing, Info or VBRI header, so the
// decoder knows no length before playing.
inline bool MakePlainMp3(const QString& path, double seconds, int kbps = 128) {
    return RunPipeline(
        QStringLiteral("audiotestsrc num-buffers=%1 ! audio/x-raw,rate=44100,channels=2 ! "
                       "audioconvert ! lamemp3enc target=bitrate cbr=true bitrate=%2 ! "
                       "filesink location=%3")
            .arg(BuffersFor(seconds))
            .arg(kbps)
            .arg(Quoted(path)));
}

inline bool MakeOgg(const QString& path, double seconds) {
    return RunPipeline(QStringLiteral("audiotestsrc num-buffers=%1 ! audioconvert ! vorbisenc ! "
                                      "oggmux ! filesink location=%2")
                           .arg(BuffersFor(seconds))
                           .arg(Quoted(path)));
}

// Sound encoded by the given encoder chain ("flacenc", "opusenc ! oggmux", …) into a file.
inline bool MakeEncoded(const QString& path, double seconds, const QString& encoder) {
    return RunPipeline(QStringLiteral("audiotestsrc num-buffers=%1 ! "
                                      "audio/x-raw,rate=48000,channels=2 ! audioconvert ! "
                                      "audioresample ! %2 ! filesink location=%3")
                           .arg(int(seconds * 48000 / 1024 + 0.5))
                           .arg(encoder, Quoted(path)));
}

// The first of the named elements this machine's GStreamer has, or empty.
inline QString FirstElement(std::initializer_list<const char*> names) {
    gst_init(nullptr, nullptr);
    for (const char* name : names) {
        if (GstElementFactory* factory = gst_element_factory_find(name)) {
            gst_object_unref(factory);
            return QString::fromLatin1(name);
        }
    }
    return {};
}

// A short Motion-JPEG video in AVI; tags ("artist=A,title=T") go into its INFO list.
inline bool MakeAvi(const QString& path, double seconds, const QString& tags = {}) {
    const QString inject =
        tags.isEmpty() ? QString() : QStringLiteral(" ! taginject tags=\"%1\"").arg(tags);
    return RunPipeline(
        QStringLiteral(
            "videotestsrc num-buffers=%1 ! video/x-raw,width=64,height=48,framerate=10/1 "
            "! jpegenc%2 ! avimux ! filesink location=%3")
            .arg(int(seconds * 10))
            .arg(inject, Quoted(path)));
}

// A short video with a sound track, in Matroska.
inline bool MakeVideo(const QString& path, double seconds, int width, int height) {
    const int frames = int(seconds * 25);
    return RunPipeline(
        QStringLiteral(
            "videotestsrc num-buffers=%1 ! video/x-raw,width=%2,height=%3,framerate=25/1 ! "
            "videoconvert ! vp8enc deadline=1 ! matroskamux name=mux ! filesink location=%4 "
            "audiotestsrc num-buffers=%5 ! audioconvert ! vorbisenc ! mux.")
            .arg(frames)
            .arg(width)
            .arg(height)
            .arg(Quoted(path))
            .arg(BuffersFor(seconds)));
}

}  // namespace tavi::test
