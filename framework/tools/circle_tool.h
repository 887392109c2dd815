// CircleTool: a wire tool whose wire is a circle of `size` image pixels
// radius (1 to 150) around the pointer, drawn at the view's zoom. It keeps
// the circle as a 1-bit bitmap too, a square of side 2 * size (the double
// size) whose set pixels form the disc, for tools that paint with it.
#pragma once

#include "contour/bitmap.h"
#include "framework/tools/wire_tool.h"
#include "framework/views/types.h"

namespace Kor {

class CircleTool : public WireTool {
public:
    static constexpr int kMinSize = 1;
    static constexpr int kMaxSize = 150;

    // `size` is kept within [kMinSize, kMaxSize].
    CircleTool(ZoomView& bench, int size);

    int GetSize() const { return size_; }
    int GetDoubleSize() const { return 2 * size_; }
    const img::bitmap& GetCircleBitmap() const { return circle_; }
    // Where the circle bitmap's top-left corner lies in the image when the
    // pointer is at view point `p`: the image point under it, rounded to
    // the nearest pixel (halves up, left of and above the image too), less
    // the size.
    types::point<int> GetWireBenchTopLeft(CPoint p) const;
    types::rect<int> GetWireBenchRect(CPoint p) const;

    // Makes `bitmap` a square of side 2 * size (size kept within
    // [kMinSize, kMaxSize]) whose pixel (x, y) is set exactly when
    // (x - c)^2 + (y - c)^2 < size^2, with c = size - 0.5.
    static void CircleBitmap(img::bitmap& bitmap, int size);

    void IncreaseSize(int delta) override;
    // The square around `p` (view coordinates) that holds the circle at the
    // view's zoom: r = size * zoom, truncated; (p - r, p + r], both ways.
    CRect GetWireRect(CPoint p) const override;
    // The circle inscribed in GetWireRect(p), with a black pen `style`
    // pixels wide that inverts what lies under it.
    void DrawWire(CDC* dc, CPoint p, int style) override;

private:
    int size_;
    img::bitmap circle_;
};

}  // namespace Kor
