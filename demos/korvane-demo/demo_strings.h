// Numbers of korvane-demo's own strings (resources/korvane-demo/strings.txt,
// translated by korvane-demo.rus).
#pragma once

namespace demo {

enum : unsigned {
    IDR_MAINFRAME = 128,  // the frame: title, "128.menu", "128.accel"
    IDS_ACTION_UPPER_CASE = 300,
    IDS_ACTION_ADD_LINE = 301,
    IDS_COUNTING_WORDS = 302,
    IDS_COUNTING_CAPTION = 303,
    IDS_WORD_COUNT = 304,
    IDS_COUNT_CANCELLED = 305,
    IDS_CANNOT_READ = 306,
    IDS_CANNOT_WRITE = 307,
    IDS_TOOLS_CAPTION = 310,
    IDS_LINE_CAPTION = 311,
    IDS_NEW_LINE_LABEL = 312,
    IDS_ADD_LABEL = 313,
    IDS_NUMBERS_LABEL = 314,
    IDS_COLOUR_LABEL = 315,
    IDS_NO_TABS = 316,
    IDS_FIRST_NEW_LINE = 317,
    IDS_ABOUT = 320,
};

}  // namespace demo
