#pragma once

#include "engines/directshow/CDirectShowTrack.h"

#include <chrono>

namespace tavi::test {

// Every open waits for its preroll, as a fast file's does, so that a loaded machine does not
// turn a test's open into one that goes on in the background. The tests of that set the
// short wait themselves.
inline void WaitForEveryOpen() {
    engines::CDirectShowTrack::SetOpenWait(std::chrono::minutes(1));
}

}  // namespace tavi::test
