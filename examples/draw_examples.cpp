// Draws the example masks of this folder: white shapes on black, 48 x 48
// pixels, small enough for a full fit in about a second. The star comes
// with a pins file that puts a corner pin on each of its ten corners.
//
//   draw_examples DIR          writes the masks into DIR
//   draw_examples --check DIR  exits 1 unless DIR holds them byte for byte
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "contour/bitmap.h"
#include "contour/write_bmp.h"  // encode_bmp

namespace {

const unsigned side = 48;

// A mask whose pixel is set when `inside` holds at its centre.
img::bitmap draw(const std::function<bool(double, double)>& inside)
{
    img::bitmap mask(side, side, 4);
    mask.fill(false);
    for (unsigned y = 0; y < side; ++y)
        for (unsigned x = 0; x < side; ++x)
            mask.set(x, y, inside(x + 0.5, y + 0.5));
    return mask;
}

// Even-odd rule.
bool in_polygon(const std::vector<std::pair<double, double>>& corners, double x, double y)
{
    bool in = false;
    for (std::size_t i = 0, j = corners.size() - 1; i < corners.size(); j = i++) {
        const double xi = corners[i].first, yi = corners[i].second;
        const double xj = corners[j].first, yj = corners[j].second;
        if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi)
            in = !in;
    }
    return in;
}

struct example {
    const char* file;
    std::string bytes;
};

std::vector<example> examples()
{
    const double c = side / 2.0;
    const double pi = std::acos(-1.0);

    // A pebble: the superellipse |x/20|^2.5 + |y/14|^2.5 <= 1.
    img::bitmap rounded = draw([=](double x, double y) {
        return std::pow(std::fabs(x - c) / 20, 2.5) + std::pow(std::fabs(y - c) / 14, 2.5) <= 1;
    });

    // A five-pointed star: ten sharp corners, five pointing out.
    std::vector<std::pair<double, double>> star;
    for (int i = 0; i < 10; ++i) {
        const double r = i % 2 ? 8.0 : 19.0, a = -pi / 2 + i * pi / 5;
        star.push_back({c + r * std::cos(a), c + 1.0 + r * std::sin(a)});
    }
    img::bitmap corners = draw([&](double x, double y) { return in_polygon(star, x, y); });
    // Pins in the clipboard's text form: x, y, radius, 0 for a corner.
    std::string pins;
    for (const auto& p : star)
        pins += std::to_string(std::lround(p.first)) + '\t' + std::to_string(std::lround(p.second)) + "\t2\t0\n";

    // A square plate with a round hole: the outer outline comes first.
    img::bitmap hole = draw([=](double x, double y) {
        const bool plate = std::fabs(x - c) <= 19 && std::fabs(y - c) <= 19;
        return plate && std::hypot(x - c, y - c) > 10;
    });

    return {
        {"rounded.bmp", img::encode_bmp(rounded)},
        {"corners.bmp", img::encode_bmp(corners)},
        {"corners-pins.txt", pins},
        {"hole.bmp", img::encode_bmp(hole)},
    };
}

std::string file_text(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

int main(int argc, char** argv)
{
    const bool check = argc == 3 && !std::strcmp(argv[1], "--check");
    if (argc != 2 && !check) {
        std::fprintf(stderr, "usage: draw_examples [--check] DIR\n");
        return 2;
    }
    const std::string dir = argv[argc - 1];
    int status = 0;
    for (const example& e : examples()) {
        const std::string path = dir + "/" + e.file;
        if (!check) {
            std::ofstream out(path, std::ios::binary | std::ios::trunc);
            out << e.bytes;
            if (!out.flush()) {
                std::fprintf(stderr, "draw_examples: could not write %s\n", path.c_str());
                status = 1;
            }
        } else if (file_text(path) != e.bytes) {
            std::fprintf(stderr, "draw_examples: %s differs from what draw_examples draws\n", path.c_str());
            status = 1;
        }
    }
    return status;
}
