#pragma once

#include "platform/gst/GstSupport.h"
#include "platform/registry/RegKey.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace tavi::engines {

// One configured effect or output element: its long name, its factory name (kept where the
// settings call it "CLSID") and its saved settings, the element's writable properties as
// "name=value" lines.
struct CDirectShowPersistFilter {
    QString name;
    QString factory;
    std::optional<QByteArray> data;

    // A new element with the saved settings applied; null (and *error) when it cannot be made
    // or a saved setting does not load.
    gst::ElementPtr Create(QString* error) const;
    // The element's current settings, as the options page keeps them on OK.
    static CDirectShowPersistFilter Capture(GstElement* element);

    void Load(const reg::RegKey& key);
    void Save(reg::RegKey& key) const;

    static QByteArray SerializeProperties(GstElement* element);
    static bool ApplyProperties(GstElement* element, const QByteArray& data);
};

}  // namespace tavi::engines
