#pragma once

#include "GstSupport.h"

#include <QString>

namespace tavi::gst {

// The system's sound inputs, as the desktop's sound settings list them: real inputs
// (microphones, line-in) first, then the monitors of the outputs, each group in the order
// the device providers give.
struct CaptureDevice {
    QString name;  // the device's display name
    bool monitor;  // a sound server's recording of one of its outputs
};

// Creates the source element of the first input, set up to deliver what it captures in
// 10-ms pieces, or null when the system has none (no sound server and no card with an
// input). *device is set to what was chosen.
ElementPtr CreateFirstCaptureSource(CaptureDevice* device);

}  // namespace tavi::gst
