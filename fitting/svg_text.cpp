#include "fitting/svg_text.h"

#include <locale>
#include <sstream>

namespace outline {

std::string svg_text(const std::vector<real_point>& points, std::uint32_t width, std::uint32_t height)
{
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << width << "\" height=\"" << height
        << "\" viewBox=\"0 0 " << width << ' ' << height << "\">\n"
        << "  <path fill=\"none\" stroke=\"black\" stroke-width=\"0.5\" d=\"";
    if (!points.empty()) {
        out << 'M' << points[0].x << ',' << points[0].y;
        for (std::size_t i = 1; i + 2 < points.size(); i += 3)
            out << " C" << points[i].x << ',' << points[i].y << ' ' << points[i + 1].x << ',' << points[i + 1].y
                << ' ' << points[i + 2].x << ',' << points[i + 2].y;
        out << " Z";
    }
    out << "\"/>\n</svg>\n";
    return out.str();
}

}  // namespace outline
