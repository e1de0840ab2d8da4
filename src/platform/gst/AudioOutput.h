#pragma once

#include "GstSupport.h"

#include <QString>

namespace tavi::gst {

// Where sound goes, chosen by the environment variable TAVI_AUDIO_OUTPUT:
//   auto (default)  the configured output device, else the system's default sink
//   null            discarded, paced in real time (machines without sound, tests)
//   file:PATH       a WAV file of what would be heard
struct AudioOutputSpec {
    enum class Kind { Auto, Null, File };
    Kind kind = Kind::Auto;
    QString path;

    static AudioOutputSpec FromEnvironment();
    static AudioOutputSpec Parse(const QString& text);
};

// Builds the sink the chosen output asks for. For Auto, deviceSink (the user's chosen output
// device, may be null) is used when given. Returns null with *error set when a needed element is
// missing.
ElementPtr CreateAudioSink(const AudioOutputSpec& spec, ElementPtr deviceSink, QString* error);

}  // namespace tavi::gst
