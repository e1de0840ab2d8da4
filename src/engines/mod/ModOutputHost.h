#pragma once

struct TaviModHost;

namespace tavi::engines {

// The table the module library reaches the player's sound output through: the wave output
// every media-control device writes to (mci::AcquireWaveOutput, on GStreamer's shared
// output for the user's choice), so modules take turns with every other kind of track.
const TaviModHost* ModOutputHost();

}  // namespace tavi::engines
