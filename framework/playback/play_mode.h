// How a sequence view plays its frames.
#pragma once

#include <cstdint>

namespace Kor {

enum PlayMode : std::int32_t {
    PLAY_PAUSED = 0,    // not playing
    PLAY_FORWARD = 1,   // playing forwards
    PLAY_BACKWARD = 2,  // playing backwards
    PLAY_FOLLOW = 3,    // following a live source
};

}  // namespace Kor
