// The tools' pointer shapes, loaded by name from the resources: pixel art
// "NAME.art" (the transparent pixels are not shown) or an image "NAME.png",
// with the hot spot in "NAME.hotspot" ("x y"). A cursor that the resources
// do not hold falls back to a standard shape, so that a tool always shows
// something sensible.
#pragma once

#include "platform/cursor.h"

#include <string>

namespace Kor {

plat::Cursor LoadToolCursor(const std::string& name, plat::StdCursor fallback);

}  // namespace Kor
