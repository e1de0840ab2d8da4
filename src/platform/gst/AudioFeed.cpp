#include "AudioFeed.h"

namespace tavi::gst {

namespace {

void OnHandoff(GstElement*, GstBuffer* buffer, GstPad*, gpointer feed) {
    (*static_cast<std::shared_ptr<AudioFeed>*>(feed))->Push(buffer);
}

void ReleaseFeed(gpointer feed, GClosure*) {
    delete static_cast<std::shared_ptr<AudioFeed>*>(feed);
}

}  // namespace

// audioconvert ! audioresample ! the output's format ! fakesink sync=true, handing off.
ElementPtr AudioFeed::CreateSink(const std::shared_ptr<AudioFeed>& feed, QString* error) {
    ElementPtr convert = MakeElement("audioconvert", nullptr, error);
    ElementPtr resample = MakeElement("audioresample", nullptr, error);
    ElementPtr format = MakeElement("capsfilter", nullptr, error);
    ElementPtr sink = MakeElement("fakesink", "tavi-feed", error);
    if (!convert || !resample || !format || !sink) {
        return nullptr;
    }
    GstCaps* caps = gst_caps_from_string(SharedAudioOutput::FeedCaps());
    g_object_set(format.get(), "caps", caps, nullptr);
    gst_caps_unref(caps);
    g_object_set(sink.get(), "sync", TRUE, "signal-handoffs", TRUE, "enable-last-sample", FALSE,
                 nullptr);
    g_signal_connect_data(sink.get(), "handoff", G_CALLBACK(OnHandoff),
                          new std::shared_ptr<AudioFeed>(feed), ReleaseFeed, GConnectFlags(0));
    ElementPtr bin(gst_bin_new("tavi-feed-bin"));
    gst_object_ref_sink(bin.get());
    gst_bin_add_many(GST_BIN(bin.get()), convert.get(), resample.get(), format.get(), sink.get(),
                     nullptr);
    gst_element_link_many(convert.get(), resample.get(), format.get(), sink.get(), nullptr);
    GstPad* target = gst_element_get_static_pad(convert.get(), "sink");
    gst_element_add_pad(bin.get(), gst_ghost_pad_new("sink", target));
    gst_object_unref(target);
    return bin;
}

void AudioFeed::Push(GstBuffer* buffer) {
    std::lock_guard lock(m_mutex);
    if (m_output) {
        m_output->Push(buffer);
    }
}

void AudioFeed::Flush() {
    std::lock_guard lock(m_mutex);
    if (m_output) {
        m_output->Flush();
    }
}

void AudioFeed::Detach() {
    std::shared_ptr<SharedAudioOutput> output;
    {
        std::lock_guard lock(m_mutex);
        output = std::move(m_output);
    }
    // Released outside the lock: finishing a file output waits for its streaming thread.
}

}  // namespace tavi::gst
