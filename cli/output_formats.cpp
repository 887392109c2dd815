#include "cli/output_formats.h"

#include <cmath>
#include <locale>
#include <sstream>

#include "fitting/text_formats.h"

namespace cli {

namespace {

// Numbers as the control-points text writes them.
std::ostringstream classic_stream()
{
    std::ostringstream out;
    out.imbue(std::locale::classic());
    return out;
}

}  // namespace

std::string contours_json(std::uint32_t width, std::uint32_t height, const std::vector<img::contour>& contours)
{
    std::ostringstream out = classic_stream();
    out << "{\"width\": " << width << ", \"height\": " << height << ", \"contours\": [";
    for (std::size_t c = 0; c < contours.size(); ++c) {
        out << (c ? ",\n" : "\n") << "{\"closed\": " << (img::is_closed(contours[c]) ? "true" : "false")
            << ", \"nodes\": [";
        const img::contour& nodes = contours[c];
        for (std::size_t i = 0; i < nodes.size(); ++i)
            out << (i ? ", [" : "[") << nodes[i].x << ", " << nodes[i].y << ']';
        out << "]}";
    }
    out << (contours.empty() ? "]}\n" : "\n]}\n");
    return out.str();
}

std::string curves_json(std::uint32_t width, std::uint32_t height, const std::vector<outline::fitted_curve>& curves)
{
    std::ostringstream out = classic_stream();
    out << "{\"width\": " << width << ", \"height\": " << height << ", \"curves\": [";
    for (std::size_t c = 0; c < curves.size(); ++c) {
        const std::vector<outline::real_point>& points = curves[c].control_points;
        out << (c ? ",\n" : "\n") << "{\"points\": [";
        for (std::size_t i = 0; i < points.size(); ++i)
            out << (i ? ", [" : "[") << points[i].x << ", " << points[i].y << ']';
        out << "], \"junctions\": " << (points.empty() ? 0 : (points.size() - 1) / 3) << ", \"discrepancy\": ";
        if (std::isfinite(curves[c].discrepancy))
            out << curves[c].discrepancy;
        else
            out << "null";
        out << '}';
    }
    out << (curves.empty() ? "]}\n" : "\n]}\n");
    return out.str();
}

std::string control_point_blocks(const std::vector<outline::fitted_curve>& curves)
{
    std::string out;
    for (std::size_t c = 0; c < curves.size(); ++c) {
        if (c) out += '\n';
        out += outline::control_points_text(curves[c].control_points);
    }
    return out;
}

std::string stats_line(unsigned node_count, std::size_t control_point_count, float discrepancy,
                       unsigned estimated_length)
{
    std::ostringstream out = classic_stream();
    out << "N=" << node_count << " junctions=" << (control_point_count ? (control_point_count - 1) / 3 : 0)
        << " discrepancy=" << discrepancy << " estimated-length=";
    if (estimated_length)
        out << estimated_length;
    else
        out << '-';
    return out.str();
}

}  // namespace cli
