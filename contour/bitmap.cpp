#include "contour/bitmap.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>
#include <stdexcept>
#include <utility>

namespace img {

bitmap::bitmap(std::uint32_t width, std::uint32_t height, std::uint32_t alignment)
{
    resize(width, height, alignment);
}

bitmap::~bitmap()
{
    if (owns_)
        resize(0, 0, 4);
    else
        release();
}

bitmap::bitmap(const bitmap& other)
    : width_(other.width_), height_(other.height_), alignment_(other.alignment_), top_down_(other.top_down_),
      stride_(other.stride_), size_(other.size_)
{
    if (size_) {
        data_ = new byte[size_];
        std::memcpy(data_, other.data_, size_);
    }
    rebuild_rows();
}

bitmap& bitmap::operator=(const bitmap& other)
{
    if (this != &other) {
        bitmap copy(other);
        *this = std::move(copy);
    }
    return *this;
}

bitmap::bitmap(bitmap&& other) noexcept
    : data_(other.data_), owns_(other.owns_), width_(other.width_), height_(other.height_),
      alignment_(other.alignment_), top_down_(other.top_down_), stride_(other.stride_), size_(other.size_),
      rows_(std::move(other.rows_))
{
    other.data_ = nullptr;
    other.owns_ = true;
    other.width_ = other.height_ = other.stride_ = other.size_ = 0;
    other.rows_.clear();
}

bitmap& bitmap::operator=(bitmap&& other) noexcept
{
    if (this != &other) {
        std::swap(data_, other.data_);
        std::swap(owns_, other.owns_);
        std::swap(width_, other.width_);
        std::swap(height_, other.height_);
        std::swap(alignment_, other.alignment_);
        std::swap(top_down_, other.top_down_);
        std::swap(stride_, other.stride_);
        std::swap(size_, other.size_);
        rows_.swap(other.rows_);
    }
    return *this;
}

std::uint64_t bitmap::stride_for(std::uint32_t width, std::uint32_t alignment)
{
    std::uint64_t stride = row_bytes(width);
    if (alignment > 1)
        stride = (stride + alignment - 1) / alignment * alignment;
    return stride;
}

void bitmap::resize(std::uint32_t width, std::uint32_t height, std::uint32_t alignment)
{
    if (alignment == 0)
        alignment = alignment_;
    if (owns_ && width == width_ && height == height_ && alignment == alignment_)
        return;

    const std::uint64_t stride = stride_for(width, alignment);
    const std::uint64_t size = stride * height;
    if (size > std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("bitmap larger than 4 GiB");

    // A buffer of the same byte size is reused. One the bitmap does not own
    // is never adopted: freeing it later is not ours to do.
    byte* const old = data_;
    const bool replace = size != size_ || !owns_;
    std::unique_ptr<byte[]> fresh(replace && size ? new byte[size] : nullptr);
    byte* const buffer = replace ? fresh.get() : old;
    std::vector<byte*> rows = row_table(buffer, height, std::uint32_t(stride), top_down_);

    // Nothing below throws.
    if (old && buffer && replace && width == width_ && height == height_) {
        const std::uint32_t bytes = row_bytes(width);
        for (std::uint32_t y = 0; y < height; ++y)
            std::memcpy(rows[y], rows_[y], bytes);
    }
    if (replace && owns_)
        delete[] old;
    fresh.release();
    data_ = buffer;
    owns_ = true;
    width_ = width;
    height_ = height;
    alignment_ = alignment;
    stride_ = std::uint32_t(stride);
    size_ = std::uint32_t(size);
    rows_.swap(rows);
}

void bitmap::set_top_down(bool top_down)
{
    if (top_down == top_down_)
        return;
    top_down_ = top_down;
    rebuild_rows();
}

void bitmap::fill(bool value)
{
    if (size_)
        std::memset(data_, value ? 0xFF : 0x00, size_);
}

void bitmap::invert()
{
    std::for_each(data_, data_ + size_, [](byte& b) { b = byte(~b); });
}

bitmap::byte* bitmap::release()
{
    byte* buffer = data_;
    data_ = nullptr;
    owns_ = true;
    width_ = height_ = stride_ = size_ = 0;
    rows_.clear();
    return buffer;
}

std::vector<bitmap::byte*> bitmap::row_table(byte* data, std::uint32_t height, std::uint32_t stride, bool top_down)
{
    // Without a buffer there is nothing to point at. A zero-width bitmap may
    // still claim billions of rows (a BMP header can), and a table of null
    // pointers for them would be a huge allocation for nothing.
    if (!data)
        return {};
    std::vector<byte*> rows(height);
    for (std::uint32_t i = 0; i < height; ++i) {
        const std::size_t stored = top_down ? i : height - 1 - i;
        rows[i] = data + stored * stride;
    }
    return rows;
}

void bitmap::rebuild_rows()
{
    rows_ = row_table(data_, height_, stride_, top_down_);
}

}  // namespace img
