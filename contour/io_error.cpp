#include "contour/io_error.h"

#include <utility>

namespace img {

io_error::io_error(std::string message, std::string detail)
    : message_(std::move(message)), detail_(std::move(detail))
{
}

const char* io_error::what() const noexcept
{
    try {
        text_ = message_ + ": " + detail_;
        return text_.c_str();
    } catch (...) {
        return message_.c_str();  // out of memory for the joined text
    }
}

unsupported::unsupported(std::uint32_t mode, std::uint32_t value)
    : io_error("unsupported image file format mode"), mode_(mode), value_(value)
{
}

}  // namespace img
