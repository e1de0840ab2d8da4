#include "GstSupport.h"

#include <QCoreApplication>
#include <mutex>

namespace tavi::gst {

namespace {

// Result codes in the style the engines report, chosen per GStreamer error.
constexpr uint32_t kFail = 0x80004005;
constexpr uint32_t kFileNotFound = 0x80070002;
constexpr uint32_t kAccessDenied = 0x80070005;
constexpr uint32_t kUnsupportedStream = 0x80040265;
constexpr uint32_t kProtectedContent = 0xC00D2767;
constexpr uint32_t kNoAudioHardware = 0x80040256;

uint32_t ResultFor(const GError* error) {
    if (error->domain == GST_RESOURCE_ERROR) {
        switch (error->code) {
            case GST_RESOURCE_ERROR_NOT_FOUND:
                return kFileNotFound;
            case GST_RESOURCE_ERROR_NOT_AUTHORIZED:
            case GST_RESOURCE_ERROR_OPEN_READ:
                return kAccessDenied;
            case GST_RESOURCE_ERROR_BUSY:
            case GST_RESOURCE_ERROR_OPEN_WRITE:
                return kNoAudioHardware;
            default:
                return kFail;
        }
    }
    if (error->domain == GST_STREAM_ERROR) {
        switch (error->code) {
            case GST_STREAM_ERROR_DECRYPT:
            case GST_STREAM_ERROR_DECRYPT_NOKEY:
                return kProtectedContent;
            case GST_STREAM_ERROR_TYPE_NOT_FOUND:
            case GST_STREAM_ERROR_CODEC_NOT_FOUND:
            case GST_STREAM_ERROR_WRONG_TYPE:
            case GST_STREAM_ERROR_DECODE:
            case GST_STREAM_ERROR_DEMUX:
                return kUnsupportedStream;
            default:
                return kFail;
        }
    }
    if (error->domain == GST_CORE_ERROR && error->code == GST_CORE_ERROR_MISSING_PLUGIN) {
        return kUnsupportedStream;
    }
    return kFail;
}

}  // namespace

bool EnsureInitialized() {
    static std::once_flag once;
    static bool initialized = false;
    std::call_once(once, [] {
        GError* error = nullptr;
        initialized = gst_init_check(nullptr, nullptr, &error);
        if (error) {
            g_error_free(error);
        }
    });
    return initialized;
}

bool CanCreateGraph() {
    if (!EnsureInitialized()) {
        return false;
    }
    GstElementFactory* factory = gst_element_factory_find("playbin");
    if (!factory) {
        return false;
    }
    gst_object_unref(factory);
    return true;
}

ElementPtr MakeElement(const char* factory, const char* name, QString* error) {
    ElementPtr element(gst_element_factory_make(factory, name));
    if (!element && error) {
        *error = QCoreApplication::translate("MediaPipeline",
                                             "The GStreamer element '%1' is not installed.")
                     .arg(QLatin1String(factory));
    }
    if (element) {
        gst_object_ref_sink(element.get());
    }
    return element;
}

PipelineError ErrorFromMessage(GstMessage* message) {
    GError* error = nullptr;
    gchar* debug = nullptr;
    gst_message_parse_error(message, &error, &debug);
    PipelineError result{kFail,
                         QCoreApplication::translate("MediaPipeline", "Unknown GStreamer error")};
    if (error) {
        result = {ResultFor(error), QString::fromUtf8(error->message)};
        g_error_free(error);
    }
    g_free(debug);
    return result;
}

}  // namespace tavi::gst
