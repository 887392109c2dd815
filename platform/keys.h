// Input codes with the numeric values the framework compares against:
// virtual-key codes, key flags, mouse flags, hit-test codes, scroll codes.
#pragma once

namespace plat {

enum VirtualKey : unsigned {
    VK_LBUTTON = 0x01, VK_RBUTTON = 0x02, VK_MBUTTON = 0x04,
    VK_BACK = 0x08, VK_TAB = 0x09, VK_RETURN = 0x0D, VK_SHIFT = 0x10, VK_CONTROL = 0x11, VK_MENU = 0x12,
    VK_PAUSE = 0x13, VK_CAPITAL = 0x14, VK_ESCAPE = 0x1B, VK_SPACE = 0x20, VK_PRIOR = 0x21, VK_NEXT = 0x22,
    VK_END = 0x23, VK_HOME = 0x24, VK_LEFT = 0x25, VK_UP = 0x26, VK_RIGHT = 0x27, VK_DOWN = 0x28,
    VK_INSERT = 0x2D, VK_DELETE = 0x2E,
    // '0'..'9' are 0x30..0x39 and 'A'..'Z' are 0x41..0x5A.
    VK_NUMPAD0 = 0x60, VK_MULTIPLY = 0x6A, VK_ADD = 0x6B, VK_SEPARATOR = 0x6C, VK_SUBTRACT = 0x6D,
    VK_DECIMAL = 0x6E, VK_DIVIDE = 0x6F, VK_F1 = 0x70, VK_F10 = 0x79, VK_F12 = 0x7B, VK_F24 = 0x87,
    VK_NUMLOCK = 0x90, VK_SCROLL = 0x91,
    VK_OEM_1 = 0xBA, VK_OEM_PLUS = 0xBB, VK_OEM_COMMA = 0xBC, VK_OEM_MINUS = 0xBD, VK_OEM_PERIOD = 0xBE,
    VK_OEM_2 = 0xBF, VK_OEM_3 = 0xC0, VK_OEM_4 = 0xDB /* [ */, VK_OEM_5 = 0xDC, VK_OEM_6 = 0xDD /* ] */,
    VK_OEM_7 = 0xDE,
};

// Key flags given with key messages.
enum : unsigned { KF_EXTENDED = 0x0100, KF_ALTDOWN = 0x2000, KF_REPEAT = 0x4000, KF_UP = 0x8000 };

// Mouse flags given with mouse messages.
enum : unsigned { MK_LBUTTON = 0x1, MK_RBUTTON = 0x2, MK_SHIFT = 0x4, MK_CONTROL = 0x8, MK_MBUTTON = 0x10 };

// Where a point lies in a window (hit-test codes).
enum : unsigned { HTNOWHERE = 0, HTCLIENT = 1, HTHSCROLL = 6, HTVSCROLL = 7, HTBORDER = 18 };

// Scroll-bar notification codes (the horizontal names share the values).
enum : unsigned {
    SB_LINEUP = 0, SB_LINELEFT = 0, SB_LINEDOWN = 1, SB_LINERIGHT = 1, SB_PAGEUP = 2, SB_PAGELEFT = 2,
    SB_PAGEDOWN = 3, SB_PAGERIGHT = 3, SB_THUMBPOSITION = 4, SB_THUMBTRACK = 5, SB_TOP = 6, SB_LEFT = 6,
    SB_BOTTOM = 7, SB_RIGHT = 7, SB_ENDSCROLL = 8,
};
enum ScrollBarKind : int { SB_HORZ = 0, SB_VERT = 1, SB_CTL = 2 };

// Message identifiers passed with cursor requests (the message that caused it).
enum : unsigned { WM_MOUSEMOVE = 0x0200, WM_LBUTTONDOWN = 0x0201, WM_RBUTTONDOWN = 0x0204 };

// Whether the key is held now (as last reported by the window system).
bool IsKeyDown(unsigned vk);

}  // namespace plat
