#pragma once

#include "CDirectShowPersistFilter.h"

#include <QStringList>

#include <functional>
#include <vector>

namespace tavi::engines {

// The user's effect chain and chosen output device, kept under "DirectShow Filters" in the
// application key. One program-wide list: directShowFilters().
class CDirectShowPersistFilterList {
public:
    std::vector<CDirectShowPersistFilter> effects;
    std::optional<CDirectShowPersistFilter> output;

    void Load(const reg::RegKey& applicationKey);
    // Rewrites the key; subkeys of filters no longer configured are removed.
    void Save(reg::RegKey& applicationKey) const;

    // The effects as one element (audioconvert between them) or null when there are none.
    // An effect that cannot be made is skipped; one that cannot be linked is reported
    // through the warning handler with "Failed to add filter " and its name.
    gst::ElementPtr CreateEffectsBin() const;
    // The output device's sink, or null. An output that cannot be made is dropped from the
    // configuration (until the next save).
    gst::ElementPtr CreateOutput();
    // Names the chosen output and its settings; "" for the system's default.
    QString OutputKey() const;

    // Shows a warning to the user; the main window sets it.
    static void SetWarningHandler(
        std::function<void(const QString& caption, const QString& text)> handler);
};

CDirectShowPersistFilterList& directShowFilters();

}  // namespace tavi::engines
