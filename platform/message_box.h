// Message boxes: a text, a caption, an icon and a set of buttons; modal for
// the owner window; the result is the button chosen.
#pragma once

#include <string>

namespace plat {

class Wnd;

enum : unsigned {
    MB_OK = 0x0, MB_OKCANCEL = 0x1, MB_YESNOCANCEL = 0x3, MB_YESNO = 0x4, MB_TYPEMASK = 0xF,
    MB_ICONERROR = 0x10, MB_ICONQUESTION = 0x20, MB_ICONWARNING = 0x30, MB_ICONINFORMATION = 0x40,
    MB_ICONMASK = 0xF0,
};
enum : int { IDOK = 1, IDCANCEL = 2, IDABORT = 3, IDYES = 6, IDNO = 7 };

// The owner defaults to the active window (or the main window); the caption
// to the application's name.
int MessageBox(Wnd* owner, const std::string& text, const std::string& caption = {}, unsigned type = MB_OK);

// What a box offers: the buttons of `type` in order, and the answer that
// closing it without a choice gives (Cancel where there is one, else the
// only or the last button).
struct MessageBoxButtons {
    int ids[3] = {0, 0, 0};
    int count = 0;
    int closeAnswer = IDOK;
};
MessageBoxButtons ButtonsOf(unsigned type);
const char* ButtonLabel(int id);  // "OK", "&Yes", ...

}  // namespace plat
