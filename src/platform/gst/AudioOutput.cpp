#include "AudioOutput.h"

namespace tavi::gst {

namespace {

// audioconvert ! 16-bit PCM ! wavenc ! filesink location=path, as one sink element. The
// sample format is fixed so that the file reads like a CD-quality recording whatever the
// effects upstream produce.
ElementPtr CreateFileSink(const QString& path, QString* error) {
    ElementPtr bin(gst_bin_new("tavi-file-output"));
    gst_object_ref_sink(bin.get());
    ElementPtr convert = MakeElement("audioconvert", nullptr, error);
    ElementPtr format = MakeElement("capsfilter", nullptr, error);
    ElementPtr encoder = MakeElement("wavenc", nullptr, error);
    ElementPtr file = MakeElement("filesink", nullptr, error);
    if (!convert || !format || !encoder || !file) {
        return nullptr;
    }
    GstCaps* caps = gst_caps_from_string("audio/x-raw,format=S16LE");
    g_object_set(format.get(), "caps", caps, nullptr);
    gst_caps_unref(caps);
    g_object_set(file.get(), "location", path.toLocal8Bit().constData(), "sync", FALSE, nullptr);
    gst_bin_add_many(GST_BIN(bin.get()), convert.get(), format.get(), encoder.get(), file.get(),
                     nullptr);
    gst_element_link_many(convert.get(), format.get(), encoder.get(), file.get(), nullptr);
    GstPad* target = gst_element_get_static_pad(convert.get(), "sink");
    gst_element_add_pad(bin.get(), gst_ghost_pad_new("sink", target));
    gst_object_unref(target);
    return bin;
}

}  // namespace

AudioOutputSpec AudioOutputSpec::Parse(const QString& text) {
    if (text == QLatin1String("null")) {
        return {Kind::Null, {}};
    }
    if (text.startsWith(QLatin1String("file:")) && text.size() > 5) {
        return {Kind::File, text.mid(5)};
    }
    return {Kind::Auto, {}};
}

AudioOutputSpec AudioOutputSpec::FromEnvironment() {
    return Parse(qEnvironmentVariable("TAVI_AUDIO_OUTPUT"));
}

ElementPtr CreateAudioSink(const AudioOutputSpec& spec, ElementPtr deviceSink, QString* error) {
    switch (spec.kind) {
        case AudioOutputSpec::Kind::Null: {
            ElementPtr sink = MakeElement("fakesink", "tavi-null-output", error);
            if (sink) {
                g_object_set(sink.get(), "sync", TRUE, nullptr);
            }
            return sink;
        }
        case AudioOutputSpec::Kind::File:
            return CreateFileSink(spec.path, error);
        case AudioOutputSpec::Kind::Auto:
            break;
    }
    if (deviceSink) {
        return deviceSink;
    }
    return MakeElement("autoaudiosink", "tavi-output", error);
}

}  // namespace tavi::gst
