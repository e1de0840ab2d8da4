#include "PlayModes.h"

#include <array>

namespace tavi::engines {

QString PlayModeName(uint32_t mode) {
    static const std::array<const char*, 6> kNames{"NORMAL",  "REPEAT", "RANDOM",
                                                   "SHUFFLE", "INTRO",  "LOOP"};
    return mode < kNames.size() ? QString::fromLatin1(kNames[mode]) : QString();
}

}  // namespace tavi::engines
