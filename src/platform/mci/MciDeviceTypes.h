#pragma once

#include "MciDevice.h"

#include <QString>

#include <functional>
#include <memory>

namespace tavi::mci {

using DeviceMaker = std::function<std::unique_ptr<MciDevice>()>;

// The device types by name ("waveaudio", "mpegvideo", ...), which the MCI extension table
// names. The built-in types are there from the start; others are added by their layers.
// Names are compared without regard to case. Thread-safe.
void RegisterDeviceType(const QString& type, DeviceMaker make);
// A new, unopened device of the type; null when no such type is registered.
std::unique_ptr<MciDevice> CreateDevice(const QString& type);

}  // namespace tavi::mci
