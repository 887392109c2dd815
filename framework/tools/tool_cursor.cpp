#include "framework/tools/tool_cursor.h"

#include "framework/controls/pixel_art.h"
#include "platform/resources.h"

namespace Kor {

plat::Cursor LoadToolCursor(const std::string& name, plat::StdCursor fallback) {
    std::string text;
    PixelArt art;
    if (plat::FindResource(name + ".art", text) && ParsePixelArt(text, art)) {
        plat::Cursor c = plat::Cursor::FromImageAndMask(name, art.image, art.mask, plat::Cursor::ResourceHotSpot(name));
        if (!c.IsNull()) return c;
    }
    plat::Cursor png = plat::Cursor::FromResource(name);
    if (!png.IsNull()) return png;
    return plat::Cursor::Standard(fallback);
}

}  // namespace Kor
