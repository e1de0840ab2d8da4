#pragma once

#include <string>

namespace npmod {

// What the parameter string of ModPlug_CreateEx asks for: "|"-separated words, where a word
// followed by "true" or "false" is set to that and a word on its own is set ("controls",
// "spectrum", "autostart"; "autostart|true" starts playing once the module is loaded).
// Unknown words are ignored.
struct PlayerOptions {
    bool controls = false;  // the panel shows title, position, length and channels
    bool spectrum = false;  // the panel shows the channels' levels
    bool autostart = false;

    static PlayerOptions Parse(const std::string& parameters);
};

}  // namespace npmod
