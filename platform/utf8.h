// Text as the drawing and the edits take it: valid UTF-8.
#pragma once

#include <string>

namespace plat {

// `text` with every byte that is not part of valid UTF-8 replaced by U+FFFD
// (a NUL byte ends the text); valid text comes back unchanged.
std::string ValidUtf8(const std::string& text);

}  // namespace plat
