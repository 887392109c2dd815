// Command numbers of the view layers' tools (the tool bar's hand and zoom
// buttons and their keys).
#pragma once

namespace Kor {

enum : unsigned {
    ID_TOOL_HAND = 60001,  // PanView: the hand tool becomes the current tool
    ID_TOOL_ZOOM = 60002,  // ZoomView: the zoom tool becomes the current tool
};

}  // namespace Kor
