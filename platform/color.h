// Colours and the fixed palette of system colours (the indexes keep the
// numeric values that the framework's colour constants have always had).
#pragma once

#include <cstdint>

namespace plat {

struct Color {
    std::uint8_t r = 0, g = 0, b = 0;
    constexpr Color() = default;
    constexpr Color(std::uint8_t red, std::uint8_t green, std::uint8_t blue) : r(red), g(green), b(blue) {}
    // 0x00RRGGBB, the layout of one pixel in a bitmap row.
    constexpr std::uint32_t Packed() const { return (std::uint32_t(r) << 16) | (std::uint32_t(g) << 8) | b; }
    static constexpr Color FromPacked(std::uint32_t v) {
        return Color(std::uint8_t(v >> 16), std::uint8_t(v >> 8), std::uint8_t(v));
    }
    bool operator==(const Color& o) const { return r == o.r && g == o.g && b == o.b; }
    bool operator!=(const Color& o) const { return !(*this == o); }
};

enum SysColor : int {
    COLOR_SCROLLBAR = 0,
    COLOR_ACTIVECAPTION = 2,
    COLOR_MENU = 4,
    COLOR_WINDOW = 5,
    COLOR_WINDOWFRAME = 6,
    COLOR_MENUTEXT = 7,
    COLOR_WINDOWTEXT = 8,
    COLOR_CAPTIONTEXT = 9,
    COLOR_APPWORKSPACE = 12,
    COLOR_HIGHLIGHT = 13,
    COLOR_HIGHLIGHTTEXT = 14,
    COLOR_BTNFACE = 15,
    COLOR_BTNSHADOW = 16,
    COLOR_GRAYTEXT = 17,
    COLOR_BTNTEXT = 18,
    COLOR_BTNHIGHLIGHT = 20,
    COLOR_3DDKSHADOW = 21,
    COLOR_3DLIGHT = 22,
    COLOR_INFOTEXT = 23,
    COLOR_INFOBK = 24,
};

// The palette is fixed so that pictures of windows are the same on every
// machine; an index outside it gives black.
Color GetSysColor(int index);

}  // namespace plat
