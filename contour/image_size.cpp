#include "contour/image_size.h"

#include <limits>

#include "contour/io_error.h"

namespace img {

std::uint64_t image_bytes(std::uint32_t width, std::uint32_t height)
{
    const std::uint64_t stride = (std::uint64_t(width) + 31) / 32 * 4;
    return stride * height;  // below 2^61
}

void check_image_size(const char* format, std::uint32_t width, std::uint32_t height)
{
    if (image_bytes(width, height) > std::numeric_limits<std::uint32_t>::max())
        throw io_error(std::string(format) + " image dimensions too large (" + std::to_string(width) + " x " +
                       std::to_string(height) + ")");
}

}  // namespace img
