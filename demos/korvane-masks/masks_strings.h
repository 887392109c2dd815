// Numbers of korvane-masks' own strings (resources/korvane-masks/strings.txt,
// translated by korvane-masks.rus).
#pragma once

namespace masks {

enum : unsigned {
    IDR_MAINFRAME = 128,  // the frame: title, "128.menu", "128.accel"
    IDS_ACTION_BRUSH = 300,
    IDS_ACTION_FILL = 301,
    IDS_TOOLS_CAPTION = 310,
    IDS_ABOUT = 320,
};

}  // namespace masks
