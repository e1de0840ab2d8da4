#pragma once

#include "platform/errors/CException.h"

#include <memory>

namespace tavi::engines {

class CMediaTrack;

// What a track's owner (the player, or a mini playlist) hears from it. Both calls arrive on
// the UI thread, in the order the events happened.
class CMediaTrackCallback {
public:
    virtual ~CMediaTrackCallback() = default;
    // The track finished playing on its own (or reached the end of its range).
    virtual void OnTrackEnded(CMediaTrack* track) = 0;
    // The track failed while playing; the receiver reports the error and owns it.
    virtual void OnTrackError(CMediaTrack* track, std::unique_ptr<errors::CException> error) = 0;
};

}  // namespace tavi::engines
