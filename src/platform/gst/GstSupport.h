#pragma once

#include <QString>

#include <gst/gst.h>

#include <memory>

namespace tavi::gst {

// Initialises GStreamer once for the process; false when it cannot be initialised.
bool EnsureInitialized();
// "A filter graph can be created": GStreamer runs and its playbin element exists.
bool CanCreateGraph();

// Owning pointers that unref on destruction.
struct ObjectUnref {
    void operator()(gpointer object) const {
        if (object) {
            gst_object_unref(object);
        }
    }
};
using ElementPtr = std::unique_ptr<GstElement, ObjectUnref>;
using BusPtr = std::unique_ptr<GstBus, ObjectUnref>;

struct MessageUnref {
    void operator()(GstMessage* message) const {
        if (message) {
            gst_message_unref(message);
        }
    }
};
using MessagePtr = std::unique_ptr<GstMessage, MessageUnref>;

// Makes an element, or says which factory is missing.
ElementPtr MakeElement(const char* factory, const char* name, QString* error);

// The text and a 32-bit result code for an error message of the bus.
struct PipelineError {
    uint32_t result = 0;
    QString text;
};
PipelineError ErrorFromMessage(GstMessage* message);

}  // namespace tavi::gst
