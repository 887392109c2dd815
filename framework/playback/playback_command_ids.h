// Command numbers of the playback commands (menus, tool-bar buttons, keys).
#pragma once

namespace Kor {

enum : unsigned {
    ID_TIME_FIRST_FRAME = 50015,
    ID_TIME_LAST_FRAME = 50016,
    ID_TIME_WORK_AREA_START = 50017,
    ID_TIME_WORK_AREA_END = 50018,
    ID_TIME_PREVIOUS_FRAME = 50019,
    ID_TIME_NEXT_FRAME = 50020,
    ID_TIME_PLAY_BACKWARD = 50021,
    ID_TIME_PAUSE = 50022,
    ID_TIME_PLAY_FORWARD = 50023,
    ID_TIME_LOOP = 50024,
    ID_TIME_GO_TO_FRAME = 50025,
    ID_TIME_PLAY_PAUSE_FORWARD = 50030,
    ID_TIME_PLAY_PAUSE_BACKWARD = 50031,
    ID_TIME_FOLLOW = 50034,
    ID_TIME_AUTO_FOLLOW = 50035,
};

// Strings of the "Go to Frame" dialog.
enum : unsigned {
    IDS_GO_TO_FRAME_CAPTION = 50036,
    IDS_GO_TO_FRAME_LABEL = 50037,
    IDS_GO_TO_FRAME_RANGE = 50038,  // "... from %d to %d."
    IDS_GO_TO_FRAME_NUMBER = 50039,
    IDS_OK = 50040,
    IDS_CANCEL = 50041,
};

}  // namespace Kor
