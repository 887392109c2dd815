// How the readers of grey and colour images decide which pixels are set.
//
// A set pixel is a light one, as in the BMP reader (which sets the non-black
// pixels): a pixel is set when its luminance is at least `threshold`. The
// luminance is the Rec. 601 luma of the stored samples, (0.299 R + 0.587 G +
// 0.114 B) / maxval, without gamma correction; a grey sample is its own
// luminance, and a bilevel (PBM) pixel is 0 when black and 1 when white.
// `invert` sets the dark pixels instead (line art is usually black ink on
// white). A pixel whose alpha is below one half is transparent: it is clear
// whatever the threshold and `invert` say, so that ink on a transparent
// background traces as ink either way; alpha of one half or more leaves the
// pixel to its colour, as stored.
#pragma once

namespace img {

struct read_options {
    double threshold = 0.5;  // a luminance in [0, 1]; at or below 0 all opaque pixels are light, above 1 none
    bool invert = false;     // set the pixels below the threshold instead
};

}  // namespace img
