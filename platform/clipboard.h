// The clipboard, plain text only.
#pragma once

#include <string>

namespace plat {

bool SetClipboardText(const std::string& text);
// False (and `text` empty) when the clipboard holds no text.
bool GetClipboardText(std::string& text);
bool IsClipboardTextAvailable();

}  // namespace plat
