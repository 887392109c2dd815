// A 1-bit-per-pixel image: the mask that the BMP reader fills and the
// contour tracer reads.
//
// Pixel (x, y) is bit x of row y, most significant bit of each byte first
// (byte x / 8, mask 128 >> x % 8); a set bit is a set pixel. Row 0 is the top
// row whatever the storage order: rows() maps picture rows to stored rows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace img {

class bitmap {
public:
    typedef std::uint8_t byte;

    // An empty top-down bitmap (alignment 1) resized to width x height with
    // the given row alignment in bytes (0 keeps 1). The pixels are not
    // initialised.
    explicit bitmap(std::uint32_t width = 0, std::uint32_t height = 0, std::uint32_t alignment = 1);
    ~bitmap();
    bitmap(const bitmap& other);
    bitmap& operator=(const bitmap& other);
    bitmap(bitmap&& other) noexcept;
    bitmap& operator=(bitmap&& other) noexcept;

    // Sets the size and the row alignment (0 keeps the current alignment).
    // Does nothing when the bitmap owns its buffer and nothing changes.
    // Keeps the buffer when the byte size stays the same, otherwise
    // allocates a new one, uninitialised; the pixels survive only when the
    // width and the height are both unchanged.
    void resize(std::uint32_t width, std::uint32_t height, std::uint32_t alignment);
    // true: the first stored row is the top row; false: the last one is (the
    // BMP order). Only the row pointers change, not the bytes.
    void set_top_down(bool top_down);
    // Every byte of the buffer, row padding included: 0xFF or 0x00.
    void fill(bool value);
    // Complements every byte of the buffer, row padding included.
    void invert();
    // Hands the buffer to the caller (who frees it with delete[]) and leaves
    // the bitmap empty.
    byte* release();

    std::uint32_t width() const { return width_; }
    std::uint32_t height() const { return height_; }
    std::uint32_t alignment() const { return alignment_; }
    bool top_down() const { return top_down_; }
    // Bytes per stored row: ceil(width / 8) rounded up to the alignment.
    std::uint32_t stride() const { return stride_; }
    // stride * height; 0 means there is no buffer.
    std::uint32_t size() const { return size_; }
    bool owns() const { return owns_; }
    byte* data() { return data_; }
    const byte* data() const { return data_; }
    // [height] rows()[y] is picture row y; empty when there is no buffer.
    const std::vector<byte*>& rows() const { return rows_; }
    byte* row(std::uint32_t y) { return rows_[y]; }
    const byte* row(std::uint32_t y) const { return rows_[y]; }

    bool get(std::uint32_t x, std::uint32_t y) const { return (rows_[y][x >> 3] & (0x80u >> (x & 7))) != 0; }
    void set(std::uint32_t x, std::uint32_t y, bool value)
    {
        const byte mask = byte(0x80u >> (x & 7));
        if (value)
            rows_[y][x >> 3] |= mask;
        else
            rows_[y][x >> 3] &= byte(~mask);
    }

    // Bytes of pixel data in a row: ceil(width / 8).
    static std::uint32_t row_bytes(std::uint32_t width) { return width / 8 + (width % 8 != 0); }
    // The stride for a width and an alignment, in 64 bits so that callers can
    // refuse sizes that do not fit before resizing.
    static std::uint64_t stride_for(std::uint32_t width, std::uint32_t alignment);

private:
    static std::vector<byte*> row_table(byte* data, std::uint32_t height, std::uint32_t stride, bool top_down);
    void rebuild_rows();

    byte* data_ = nullptr;        // [size] the pixel rows one after another; null when size is 0
    bool owns_ = true;            // the bitmap allocated data and frees it
    std::uint32_t width_ = 0;
    std::uint32_t height_ = 0;
    std::uint32_t alignment_ = 1; // the stride is a multiple of it
    bool top_down_ = true;
    std::uint32_t stride_ = 0;
    std::uint32_t size_ = 0;
    std::vector<byte*> rows_;     // [height] picture row y -> its stored row; empty without a buffer
};

}  // namespace img
