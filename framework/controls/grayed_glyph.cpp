#include "framework/controls/grayed_glyph.h"

namespace Kor {

namespace {
// Pixels darker than this keep a trace in the disabled look.
constexpr int kDarkLimit = 160;

int Luminance(plat::Color c) { return (c.r * 30 + c.g * 59 + c.b * 11) / 100; }
}  // namespace

void GrayedGlyph::Transform() {
    int w = bitmap_.Width(), h = bitmap_.Height();
    const plat::Color white(255, 255, 255), black(0, 0, 0);
    plat::Bitmap out(w, h, black), outMask(w, h, black);
    auto dark = [&](int x, int y) {
        bool opaque = mask_.IsNull() || mask_.GetPixel(x, y) != black;
        return opaque && Luminance(bitmap_.GetPixel(x, y)) < kDarkLimit;
    };
    // The highlight first, so that the shadow lies over it where they meet.
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (dark(x, y) && x + 1 < w && y + 1 < h) {
                out.SetPixel(x + 1, y + 1, plat::GetSysColor(plat::COLOR_BTNHIGHLIGHT));
                outMask.SetPixel(x + 1, y + 1, white);
            }
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (dark(x, y)) {
                out.SetPixel(x, y, plat::GetSysColor(plat::COLOR_BTNSHADOW));
                outMask.SetPixel(x, y, white);
            }
    bitmap_ = std::move(out);
    mask_ = std::move(outMask);
}

}  // namespace Kor
