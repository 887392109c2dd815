// An off-screen image: 32 bits per pixel, rows of 0x00RRGGBB (or premultiplied
// 0xAARRGGBB for images loaded with transparency, such as cursors). A DC can
// draw into it; DC::BitBlt copies from it. Copies are deep; moves are cheap.
#pragma once

#include "platform/color.h"
#include "platform/geometry.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace plat {

// What holds a bitmap's pixels: an image surface of the drawing library,
// which only the platform's drawing code sees (platform/bitmap_surface.h).
struct SurfaceHandle;

class Bitmap {
public:
    Bitmap() = default;
    Bitmap(int width, int height, Color fill = Color(255, 255, 255));
    Bitmap(const Bitmap& o);
    Bitmap(Bitmap&& o) noexcept;
    Bitmap& operator=(Bitmap o) noexcept;
    ~Bitmap();

    bool IsNull() const { return surface_ == nullptr; }
    int Width() const;
    int Height() const;
    Size GetSize() const { return {Width(), Height()}; }
    bool HasAlpha() const;

    Color GetPixel(int x, int y) const;      // black outside the image
    void SetPixel(int x, int y, Color c);    // ignored outside the image
    // Direct access to row y: Width() pixels. Call MarkDirty() after writing.
    std::uint32_t* Row(int y);
    const std::uint32_t* Row(int y) const;
    void MarkDirty();

    bool SavePng(const std::string& path) const;
    static Bitmap LoadPng(const std::string& path);
    static Bitmap FromPngData(const void* data, std::size_t size);
    // A PNG image from the resource chain ("NAME.png"); null when missing.
    static Bitmap FromResource(const std::string& name);

private:
    friend struct BitmapSurface;
    SurfaceHandle* surface_ = nullptr;
};

}  // namespace plat
