#pragma once

namespace tavi::frame {

// The one listener of the position slider: it seeks the playing track. Called on the UI
// thread when the user has chosen a new place.
class CPositionSliderCallback {
public:
    virtual ~CPositionSliderCallback() = default;
    virtual void Seek(double seconds) = 0;
};

}  // namespace tavi::frame
