// The plain-text forms of the curve and the pins that the clipboard and the
// batch command exchange. Numbers are written as a standard stream writes a
// float by default (six significant digits, general format) in the classic
// locale, whatever the program's locale is.
#pragma once

#include <string>
#include <vector>

#include "fitting/typedefs.h"

namespace outline {

// One line per control point: x, a tab, y, a line feed. Empty for no curve.
std::string control_points_text(const std::vector<real_point>& points);

// One line per pin, in order: x, y, radius and the smooth flag (1 or 0),
// separated by tabs, ending with a line feed.
std::string pins_text(const std::vector<area>& areas);

// A pin as the pins text gives it, before it is placed on a polyline.
struct pin_record {
    float x = 0;
    float y = 0;
    float radius = 0;
    bool smooth = true;
};

// The largest magnitude a pasted coordinate or radius may have: far beyond
// any mask, and small enough that the view's integer pixels never overflow.
constexpr float max_pin_magnitude = 1e6f;

// The records of a pins text: groups of four whitespace-separated values
// (float x, y, radius, then the flag as the number 0 or 1), line breaks
// being mere whitespace. Reading stops silently at the first group that
// cannot be read completely or cannot be a pin: a value that is not finite,
// a negative radius, a magnitude above max_pin_magnitude, or a flag not
// followed by whitespace or the end of the text ("1.0" is no flag);
// everything after it is ignored. With `complete`, tells whether the
// records took the whole text (nothing but whitespace was left over).
std::vector<pin_record> read_pins_text(const std::string& text, bool* complete = nullptr);

}  // namespace outline
