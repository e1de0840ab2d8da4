#pragma once

#include "WaveOutput.h"

#include <QString>

#include <functional>
#include <memory>

namespace tavi::gst {
class SharedAudioOutput;
}

namespace tavi::mci {

// GStreamer's shared output for the current choice of output, or null with *error.
using SharedOutputSource = std::function<std::shared_ptr<gst::SharedAudioOutput>(QString*)>;

// The output a wave device opens onto, chosen anew at every open: GStreamer's shared output
// when it can be had (so the device and GStreamer's tracks take turns on one stream), else
// the wave device's own one for TAVI_AUDIO_OUTPUT: ALSA's default device, the null output
// or a WAV file. Devices opened one after the other get the same output while one holds it;
// a file output is finished when none holds it any more. Null with *error when there is no
// output at all.
std::shared_ptr<WaveOutput> AcquireWaveOutput(QString* error);
// GStreamer's shared output as the wave device would take it, for devices that play through
// GStreamer themselves.
std::shared_ptr<gst::SharedAudioOutput> AcquireSharedOutput(QString* error);
// Replaces how GStreamer's shared output is had (the engines add the user's choice of
// device); by default it is the one for the system's default sink.
void SetSharedOutputSource(SharedOutputSource source);

}  // namespace tavi::mci
