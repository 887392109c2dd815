// Pointer shapes: the standard ones and named images from the resources
// ("NAME.png" with its hot spot in "NAME.hotspot" as "x y"), or images that
// their caller made (pixel art, with a mask of the pixels that show).
#pragma once

#include "platform/bitmap.h"
#include "platform/geometry.h"

#include <memory>
#include <string>

namespace plat {

enum class StdCursor { Arrow, IBeam, Wait, Cross, Hand, SizeAll, SizeWE, SizeNS, No, UpArrow, Help };

class Cursor {
public:
    Cursor() = default;  // the arrow
    static Cursor Standard(StdCursor shape);
    // A null cursor (IsNull) when the image is missing.
    static Cursor FromResource(const std::string& name);
    static Cursor FromImage(const std::string& name, Bitmap image, Point hotSpot);
    // `image` where `mask` is white, transparent where it is black (both of
    // the same size; a null cursor otherwise).
    static Cursor FromImageAndMask(const std::string& name, const Bitmap& image, const Bitmap& mask, Point hotSpot);
    // The hot spot that the resource "NAME.hotspot" gives ("x y"), or (0, 0).
    static Point ResourceHotSpot(const std::string& name);

    bool IsNull() const { return null_; }
    bool IsStandard() const { return !image_; }
    StdCursor Shape() const { return shape_; }
    const std::string& Name() const { return name_; }
    const Bitmap* Image() const { return image_.get(); }
    Point HotSpot() const { return hotSpot_; }
    bool operator==(const Cursor& o) const {
        return null_ == o.null_ && shape_ == o.shape_ && name_ == o.name_ && image_ == o.image_;
    }
    bool operator!=(const Cursor& o) const { return !(*this == o); }

private:
    bool null_ = false;
    StdCursor shape_ = StdCursor::Arrow;
    std::string name_;
    std::shared_ptr<const Bitmap> image_;
    Point hotSpot_;
};

// Shows `c` as the pointer shape now (as long as no wait cursor is shown).
void SetCursor(const Cursor& c);

}  // namespace plat
