// Text to and from the system clipboard, under the activities "copying
// data into the clipboard" and "pasting data from the clipboard" so that
// an error names what was being done. Failures are silent.
#pragma once

#include <string>

namespace plat {
class Wnd;
}

namespace Kor {

// Puts `text` on the clipboard with each line feed made a carriage return
// and line feed (carriage returns already there stay).
void ClipboardCopy(const std::string& text, plat::Wnd* owner = nullptr);
// Puts `text` on the clipboard unchanged (up to a zero byte, which ends a
// clipboard text).
void ClipboardCopyAsIs(const std::string& text, plat::Wnd* owner = nullptr);
// The clipboard's text, or "" when it holds none.
void ClipboardPaste(std::string& text, plat::Wnd* owner = nullptr);
bool IsClipboardPasteReady();

}  // namespace Kor
