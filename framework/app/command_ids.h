// Command numbers of the standard commands that Korvane handles or that its
// applications share (the platform's customary values).
#pragma once

namespace Kor {

enum : unsigned {
    ID_FILE_NEW = 57600,
    ID_FILE_OPEN = 57601,
    ID_FILE_CLOSE = 57602,
    ID_FILE_SAVE = 57603,
    ID_FILE_SAVE_AS = 57604,
    ID_FILE_MRU_FILE1 = 57616,  // the recent-file list: up to 16 commands
    ID_FILE_MRU_LAST = 57631,
    ID_EDIT_COPY = 57634,
    ID_EDIT_CUT = 57635,
    ID_EDIT_PASTE = 57637,
    ID_EDIT_UNDO = 57643,
    ID_EDIT_REDO = 57644,
    ID_APP_ABOUT = 57664,
    ID_APP_EXIT = 57665,
    ID_NEXT_PANE = 57680,
    ID_PREV_PANE = 57681,
    ID_VIEW_STATUS_BAR = 59393,
    AFX_IDW_PANE_FIRST = 59648,  // the frame's view window
    ID_LANGUAGE_FIRST = 20000,   // + language: the language menu
    ID_LANGUAGE_LAST = 20099,
};

}  // namespace Kor
