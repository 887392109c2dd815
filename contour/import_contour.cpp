#include "contour/import_contour.h"

#include <stdexcept>

#include "contour/read_bmp.h"

namespace img {

const contour& first_closed_contour(const std::vector<contour>& contours)
{
    if (contours.empty())
        throw std::runtime_error("The bitmap contains no outlines");
    for (const contour& c : contours)
        if (is_closed(c))
            return c;
    throw std::runtime_error("The bitmap contains no CLOSED outline");
}

imported_contour import_contour(const std::string& file_name)
{
    bitmap image(0, 0, 4);
    read_bmp(file_name, image);
    std::vector<contour> contours;
    trace_contours(image, contours);

    imported_contour result;
    result.polyline = first_closed_contour(contours);
    result.width = image.width();
    result.height = image.height();
    result.contour_count = contours.size();
    return result;
}

}  // namespace img
