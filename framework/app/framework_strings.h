// Numbers of Korvane's built-in strings (resources/korvane/strings.txt; the
// catalogues libkorvane.enu and libkorvane.rus translate them). A program's
// own string of the same number overrides the framework's.
#pragma once

namespace Kor {

enum : unsigned {
    IDS_LANGUAGE_NAME = 20000,  // + language: its name
    IDS_OPEN_TITLE = 50001,
    IDS_OPEN_DEFAULT_EXT = 50002,
    IDS_OPEN_FILTER = 50003,
    IDS_SAVE_CHANGES = 50004,
    IDS_SAVING_DOCUMENT = 50005,
    IDS_SAVE_AS_TITLE = 50006,
    IDS_SAVE_AS_PATTERN = 50007,
    IDS_UNDO_TOOL = 50008,
    IDS_REDO_MENU = 50009,
    IDS_REDO_TOOL = 50010,
    IDS_OPENING_DOCUMENT = 50011,
    IDS_UNDO_MENU = 50012,
    IDS_APP_NAME = 50013,
    IDS_RESTART_REQUIRED = 50043,
    IDS_LANGUAGE_NEXT_TIME = 50044,
    IDS_DEFAULT_LANGUAGE = 50045,
    IDS_IDLE_MESSAGE = 57345,  // the status bar's text while nothing happens
};

}  // namespace Kor
