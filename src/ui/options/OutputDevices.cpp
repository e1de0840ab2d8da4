#include "OutputDevices.h"

namespace tavi::ui {

std::optional<engines::CDirectShowPersistFilter> OutputDevice::Capture() const {
    GstElement* made = gst_device_create_element(device.get(), nullptr);
    if (!made) {
        return std::nullopt;
    }
    gst::ElementPtr sink(GST_ELEMENT(gst_object_ref_sink(made)));
    engines::CDirectShowPersistFilter filter =
        engines::CDirectShowPersistFilter::Capture(sink.get());
    filter.name = name;
    return filter;
}

std::vector<OutputDevice> ListOutputDevices() {
    std::vector<OutputDevice> devices;
    if (!gst::EnsureInitialized()) {
        return devices;
    }
    GstDeviceMonitor* monitor = gst_device_monitor_new();
    gst_device_monitor_add_filter(monitor, "Audio/Sink", nullptr);
    // Not started: each provider is probed once, which is all a list shown once needs.
    GList* found = gst_device_monitor_get_devices(monitor);
    for (GList* item = found; item; item = item->next) {
        auto* device = GST_DEVICE(item->data);
        gchar* name = gst_device_get_display_name(device);
        devices.push_back({QString::fromUtf8(name), DevicePtr(device)});
        g_free(name);
    }
    g_list_free(found);
    gst_object_unref(monitor);
    return devices;
}

}  // namespace tavi::ui
