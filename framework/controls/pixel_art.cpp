#include "framework/controls/pixel_art.h"

#include "platform/resources.h"

#include <map>
#include <sstream>
#include <vector>

namespace Kor {

namespace {

bool Fail(std::string* error, const std::string& why) {
    if (error) *error = why;
    return false;
}

bool ParseColour(const std::string& hex, plat::Color& c) {
    if (hex.size() != 6 || hex.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) return false;
    unsigned long v = std::stoul(hex, nullptr, 16);
    c = plat::Color::FromPacked(std::uint32_t(v));
    return true;
}

bool FindArt(const std::string& name, PixelArt& art) {
    std::string text;
    return plat::FindResource(name + ".art", text) && ParsePixelArt(text, art);
}

}  // namespace

bool ParsePixelArt(const std::string& text, PixelArt& art, std::string* error) {
    std::istringstream in(text);
    std::string line;
    std::map<char, plat::Color> colours;
    std::map<char, bool> transparent;
    bool inRows = false;
    std::vector<std::string> rows;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!inRows) {
            if (line.empty() || line[0] == '#') continue;
            if (line == "--") {
                inRows = true;
                continue;
            }
            std::string value = line.size() > 2 ? line.substr(2) : std::string();
            plat::Color c;
            if (line.size() < 3 || line[1] != ' ') return Fail(error, "bad key line: " + line);
            if (value == "transparent") transparent[line[0]] = true;
            else if (ParseColour(value, c)) colours[line[0]] = c;
            else return Fail(error, "bad colour: " + line);
            continue;
        }
        if (line.empty()) continue;
        if (!rows.empty() && line.size() != rows[0].size()) return Fail(error, "rows of different lengths");
        rows.push_back(line);
    }
    if (rows.empty()) return Fail(error, "no pixels");
    int w = int(rows[0].size()), h = int(rows.size());
    art.image = plat::Bitmap(w, h, plat::Color(0, 0, 0));
    art.mask = plat::Bitmap(w, h, plat::Color(0, 0, 0));
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            char k = rows[std::size_t(y)][std::size_t(x)];
            if (transparent.count(k)) continue;
            auto it = colours.find(k);
            if (it == colours.end()) return Fail(error, std::string("unknown pixel key '") + k + "'");
            art.image.SetPixel(x, y, it->second);
            art.mask.SetPixel(x, y, plat::Color(255, 255, 255));
        }
    }
    return true;
}

plat::Bitmap LoadGlyphBitmap(const std::string& name) {
    PixelArt art;
    if (FindArt(name, art)) return art.image;
    plat::Bitmap png = plat::Bitmap::FromResource(name);
    if (!png.IsNull()) return png;
    for (const std::string suffix : {"_MASK", "MASK"})
        if (name.size() > suffix.size() && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0 &&
            FindArt(name.substr(0, name.size() - suffix.size()), art))
            return art.mask;
    return plat::Bitmap();
}

}  // namespace Kor
