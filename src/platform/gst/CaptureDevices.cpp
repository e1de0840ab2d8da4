#include "CaptureDevices.h"

#include <cstring>
#include <vector>

namespace tavi::gst {

namespace {

// Small capture periods: what is captured reaches the output within one of them. The
// source's buffer stays at its default (200 ms): a sound server's sources that deliver in
// larger blocks (a pipe source) starve a smaller one.
constexpr gint64 kCapturePeriodUs = 10'000;

bool IsMonitor(GstDevice* device) {
    GstStructure* properties = gst_device_get_properties(device);
    if (!properties) {
        return false;
    }
    const gchar* deviceClass = gst_structure_get_string(properties, "device.class");
    const bool monitor = deviceClass && std::strcmp(deviceClass, "monitor") == 0;
    gst_structure_free(properties);
    return monitor;
}

void SetCapturePeriods(GstElement* source) {
    GObjectClass* type = G_OBJECT_GET_CLASS(source);
    if (g_object_class_find_property(type, "latency-time")) {
        g_object_set(source, "latency-time", kCapturePeriodUs, nullptr);
    }
}

}  // namespace

ElementPtr CreateFirstCaptureSource(CaptureDevice* chosen) {
    if (!EnsureInitialized()) {
        return nullptr;
    }
    GstDeviceMonitor* monitor = gst_device_monitor_new();
    gst_device_monitor_add_filter(monitor, "Audio/Source", nullptr);
    // Asked without starting the monitor: the providers probe once and nothing keeps running.
    GList* devices = gst_device_monitor_get_devices(monitor);
    GstDevice* first = nullptr;
    for (const bool wantMonitor : {false, true}) {
        for (GList* item = devices; item && !first; item = item->next) {
            auto* device = GST_DEVICE(item->data);
            if (IsMonitor(device) == wantMonitor) {
                first = device;
            }
        }
    }
    ElementPtr source;
    if (first) {
        source.reset(gst_device_create_element(first, nullptr));
        if (source) {
            gst_object_ref_sink(source.get());
            SetCapturePeriods(source.get());
            gchar* name = gst_device_get_display_name(first);
            *chosen = {QString::fromUtf8(name), IsMonitor(first)};
            g_free(name);
        }
    }
    g_list_free_full(devices, gst_object_unref);
    gst_object_unref(monitor);
    return source;
}

}  // namespace tavi::gst
