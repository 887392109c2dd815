// Command numbers of the mask editor's tools (tool-bar buttons and keys).
#pragma once

namespace Kor {

enum : unsigned {
    ID_TOOL_BRUSH = 65001,  // the brush becomes the bench's current tool
    ID_TOOL_FILL = 65002,   // the fill tool becomes the bench's current tool
};

}  // namespace Kor
