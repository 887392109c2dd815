#include "fitting/svg_text.h"

#include <locale>
#include <sstream>

namespace outline {

namespace {

void write_header(std::ostringstream& out, std::uint32_t width, std::uint32_t height)
{
    out.imbue(std::locale::classic());
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << width << "\" height=\"" << height
        << "\" viewBox=\"0 0 " << width << ' ' << height << "\">\n";
}

// "Mx,y Cx,y x,y x,y ... Z"; nothing for no points.
void write_subpath(std::ostringstream& out, const std::vector<real_point>& points)
{
    if (points.empty()) return;
    out << 'M' << points[0].x << ',' << points[0].y;
    for (std::size_t i = 1; i + 2 < points.size(); i += 3)
        out << " C" << points[i].x << ',' << points[i].y << ' ' << points[i + 1].x << ',' << points[i + 1].y << ' '
            << points[i + 2].x << ',' << points[i + 2].y;
    out << " Z";
}

}  // namespace

std::string svg_text(const std::vector<real_point>& points, std::uint32_t width, std::uint32_t height)
{
    std::ostringstream out;
    write_header(out, width, height);
    out << "  <path fill=\"none\" stroke=\"black\" stroke-width=\"0.5\" d=\"";
    write_subpath(out, points);
    out << "\"/>\n</svg>\n";
    return out.str();
}

std::string svg_picture_text(const std::vector<std::vector<real_point>>& curves, std::uint32_t width,
                             std::uint32_t height)
{
    std::ostringstream out;
    write_header(out, width, height);
    out << "  <path fill=\"black\" fill-rule=\"evenodd\" stroke=\"none\" d=\"";
    bool first = true;
    for (const std::vector<real_point>& points : curves) {
        if (points.empty()) continue;
        if (!first) out << '\n';
        write_subpath(out, points);
        first = false;
    }
    out << "\"/>\n</svg>\n";
    return out.str();
}

}  // namespace outline
