#pragma once

#include "engines/directshow/CDirectShowPersistFilter.h"

#include <QString>

#include <memory>
#include <vector>

namespace tavi::ui {

struct DeviceUnref {
    void operator()(GstDevice* device) const {
        if (device) {
            gst_object_unref(device);
        }
    }
};
using DevicePtr = std::unique_ptr<GstDevice, DeviceUnref>;

// One sound output the system offers.
struct OutputDevice {
    QString name;  // what the user sees, and the name the configuration keeps
    DevicePtr device;

    // The device's sink element with its settings, named after the device; nullopt when
    // the sink cannot be made.
    std::optional<engines::CDirectShowPersistFilter> Capture() const;
};

// Every "Audio/Sink" device GStreamer's device monitor finds, in the order it reports them.
std::vector<OutputDevice> ListOutputDevices();

}  // namespace tavi::ui
