#pragma once

#include "platform/gst/SharedAudioOutput.h"

#include <memory>

namespace tavi::engines {

// GStreamer's shared output for the user's choice of output device, as every GStreamer
// track takes it: null with *error when it cannot start.
std::shared_ptr<gst::SharedAudioOutput> AcquireConfiguredOutput(QString* error);
// Lets the media-control devices take that same output, so that they and the GStreamer
// tracks share one stream. Idempotent.
void UseConfiguredOutputForMci();

}  // namespace tavi::engines
