// The size limit every image reader applies before it allocates anything.
#pragma once

#include <cstdint>
#include <string>

namespace img {

// The bitmap of a width x height image, rows padded to 4 bytes, in 64 bits:
// a header may claim more than 32-bit sizes can hold.
std::uint64_t image_bytes(std::uint32_t width, std::uint32_t height);

// Throws img::io_error "<format> image dimensions too large (W x H)" when
// that bitmap would pass 4 GiB, the most a bitmap holds.
void check_image_size(const char* format, std::uint32_t width, std::uint32_t height);

}  // namespace img
