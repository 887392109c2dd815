// Glyph images as text, so that they can be drawn and reviewed in an
// editor. A file "NAME.art" has a key of colours, a line "--", and then the
// rows of pixels, one character a pixel:
//
//   # comment
//   . transparent
//   k 000000
//   w ffffff
//   --
//   ..kk..
//   .kwwk.
//
// Each key line is a character and either a colour as six hexadecimal
// digits (RRGGBB) or the word "transparent". Transparent pixels are black
// in the image and unset in its mask, so a masked copy leaves what lies
// beneath them.
#pragma once

#include "platform/bitmap.h"

#include <string>

namespace Kor {

struct PixelArt {
    plat::Bitmap image;
    plat::Bitmap mask;  // white where the image is opaque, black elsewhere
};

// False (with a reason) when the text is malformed.
bool ParsePixelArt(const std::string& text, PixelArt& art, std::string* error = nullptr);

// A glyph image by resource name: "NAME.art", else "NAME.png". A name
// ending in "_MASK" or "MASK" without a file of its own gives the mask of
// the art it names without the suffix ("BUTTONUPMASK": the mask of
// "BUTTONUP.art"). A null bitmap when nothing is found.
plat::Bitmap LoadGlyphBitmap(const std::string& name);

}  // namespace Kor
