// How korvane-demo's view draws the text: the settings its "Properties"
// panel edits. The view clamps what it cannot draw (a zoom of 0, an indent
// of a million pixels); the settings keep what the user typed.
#pragma once

#include "contour/bgra.h"
#include "framework/properties/percent.h"
#include "framework/properties/span_property.h"

#include <string>

namespace demo {

enum class LetterCase { AsTyped, Upper, Lower };

struct ViewSettings {
    std::string title;  // drawn in bold above the text; none when empty
    LetterCase letterCase = LetterCase::AsTyped;
    bool numbers = false;                               // the lines numbered at the left
    int firstNumber = 1;                                // the number of the first line
    unsigned spacing = 2;                               // pixels between lines
    int indent = 6;                                     // pixels left of the text
    float zoom = 1;                                     // the font's size, relative
    bool locked = false;                                // spacing, indent and zoom read-only
    Kor::Percent<0> shade = 0.f;                        // how gray the background is
    img::BGRA<unsigned char> colour{30, 30, 200, 255};  // of the text
    Kor::Span lines{1, 1000};                           // the lines shown (the first is 1)
};

}  // namespace demo
