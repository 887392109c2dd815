#include "framework/controls/sys_color_glyph.h"

namespace Kor {

plat::Color SysColorGlyph::MapGray(int v) {
    struct Stop {
        int level;
        plat::Color c;
    };
    const Stop stops[4] = {{0, plat::Color(0, 0, 0)},
                           {128, plat::GetSysColor(plat::COLOR_BTNSHADOW)},
                           {192, plat::GetSysColor(plat::COLOR_BTNFACE)},
                           {255, plat::GetSysColor(plat::COLOR_BTNHIGHLIGHT)}};
    int i = v <= 128 ? 0 : v <= 192 ? 1 : 2;
    const Stop &a = stops[i], &b = stops[i + 1];
    auto lerp = [&](int c0, int c1) { return std::uint8_t(c0 + (c1 - c0) * (v - a.level) / (b.level - a.level)); };
    return plat::Color(lerp(a.c.r, b.c.r), lerp(a.c.g, b.c.g), lerp(a.c.b, b.c.b));
}

void SysColorGlyph::Transform() {
    for (int y = 0; y < bitmap_.Height(); ++y) {
        std::uint32_t* row = bitmap_.Row(y);
        for (int x = 0; x < bitmap_.Width(); ++x) {
            plat::Color c = plat::Color::FromPacked(row[x] & 0xFFFFFFu);
            if (c.r == c.g && c.g == c.b) row[x] = (row[x] & 0xFF000000u) | MapGray(c.r).Packed();
        }
    }
    bitmap_.MarkDirty();
}

}  // namespace Kor
