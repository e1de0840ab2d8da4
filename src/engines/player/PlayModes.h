#pragma once

#include <QString>

#include <cstdint>

namespace tavi::engines {

enum PlayMode : uint32_t {
    ModeNormal = 0,
    ModeRepeat = 1,
    ModeRandom = 2,
    ModeShuffle = 3,
    ModeIntro = 4,
    ModeLoop = 5,
};

// "NORMAL", "REPEAT", …: the names automation clients use.
QString PlayModeName(uint32_t mode);

// Player command ids, shared with menus, keys and the tray.
namespace playercmd {
inline constexpr int kPlay = 32771;
inline constexpr int kStop = 32772;
inline constexpr int kPause = 32773;
inline constexpr int kFastForward = 32774;
inline constexpr int kRewind = 32775;
inline constexpr int kNext = 32776;
inline constexpr int kPrevious = 32777;
inline constexpr int kIntroScan = 32779;
inline constexpr int kRandom = 32782;
inline constexpr int kSetupDevice = 32816;
inline constexpr int kStopFaded = 32860;
inline constexpr int kRepeat = 32862;
inline constexpr int kShuffle = 32878;
inline constexpr int kPlayPause = 32879;
inline constexpr int kFullScreen = 32899;
inline constexpr int kLoop = 194;
}  // namespace playercmd

}  // namespace tavi::engines
