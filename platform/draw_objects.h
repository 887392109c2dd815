// The drawing objects a DC selects: pen (outlines and lines), brush (fills)
// and font (text). Plain values: selecting one copies it into the DC.
#pragma once

#include "platform/color.h"

#include <string>

namespace plat {

struct Pen {
    enum Style { Solid, Null };
    Style style = Solid;
    int width = 1;
    Color color;
    Pen() = default;
    Pen(Style s, int w, Color c) : style(s), width(w), color(c) {}
    static Pen None() { return Pen(Null, 0, Color()); }
};

struct Brush {
    bool hollow = false;
    Color color{255, 255, 255};
    Brush() = default;
    explicit Brush(Color c) : hollow(false), color(c) {}
    static Brush Hollow() { Brush b; b.hollow = true; return b; }
};

enum FontWeight { FW_NORMAL = 400, FW_BOLD = 700 };

struct Font {
    std::string face = "DejaVu Sans";
    int height = 12;  // character height in pixels (the em size)
    int weight = FW_NORMAL;
    bool italic = false;
    Font() = default;
    Font(std::string f, int h, int w = FW_NORMAL, bool i = false)
        : face(std::move(f)), height(h), weight(w), italic(i) {}
    bool operator==(const Font& o) const {
        return face == o.face && height == o.height && weight == o.weight && italic == o.italic;
    }
    bool operator!=(const Font& o) const { return !(*this == o); }
};

// The font of windows and dialogs that set none.
const Font& DefaultGuiFont();

}  // namespace plat
