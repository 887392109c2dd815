#include "framework/clipboard/clipboard.h"

#include "framework/app/app_base.h"
#include "platform/clipboard.h"

namespace Kor {

void ClipboardCopy(const std::string& text, plat::Wnd* owner) {
    std::string crlf;
    crlf.reserve(text.size() + text.size() / 16);
    for (char c : text) {
        if (c == '\n') crlf += '\r';
        crlf += c;
    }
    ClipboardCopyAsIs(crlf, owner);
}

void ClipboardCopyAsIs(const std::string& text, plat::Wnd*) {
    BeginActivity("copying data into the clipboard");
    plat::SetClipboardText(text.substr(0, text.find('\0')));
    EndActivity();
}

void ClipboardPaste(std::string& text, plat::Wnd*) {
    text.clear();
    if (!plat::IsClipboardTextAvailable()) return;
    BeginActivity("pasting data from the clipboard");
    std::string pasted;
    plat::GetClipboardText(pasted);
    text = std::move(pasted);
    EndActivity();
}

bool IsClipboardPasteReady() { return plat::IsClipboardTextAvailable(); }

}  // namespace Kor
