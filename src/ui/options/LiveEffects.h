#pragma once

#include "engines/directshow/CDirectShowPersistFilter.h"

#include <vector>

namespace tavi::ui {

// The effect elements a playing pipeline runs, one per configured effect (null where that
// effect was skipped when the pipeline was built). The chain is the bin named
// "tavi-effects"; its elements are matched to the configured effects in order by factory.
std::vector<gst::ElementPtr> FindLiveEffects(
    GstElement* pipeline, const std::vector<engines::CDirectShowPersistFilter>& configured);

}  // namespace tavi::ui
