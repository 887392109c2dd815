#include "cli/output_formats.h"

#include <locale>
#include <sstream>

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
