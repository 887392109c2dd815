// The drawing context: everything the framework and the program draw goes
// through it. It draws into a bitmap (a memory DC) or into the backing surface
// of a top-level window (the DCs that Wnd hands out), in logical coordinates
// that a viewport origin maps onto the surface, clipped to a region.
//
// Lines, outlines and fills are drawn without anti-aliasing, pixel-exactly as
// the framework expects; text is anti-aliased. The inverting mix modes
// (R2_NOT, R2_XORPEN, R2_NOTXORPEN) exclusive-or every covered pixel with a
// constant, so drawing the same figure twice leaves every pixel unchanged.
#pragma once

#include "platform/bitmap.h"
#include "platform/draw_objects.h"
#include "platform/geometry.h"
#include "platform/region.h"

#include <functional>
#include <string>
#include <vector>

struct _cairo;
struct _cairo_surface;

namespace plat {

// Mix modes (the values of the platform's raster-operation constants).
enum MixMode { R2_NOT = 6, R2_XORPEN = 7, R2_NOTXORPEN = 10, R2_COPYPEN = 13 };
enum BkMode { TRANSPARENT = 1, OPAQUE = 2 };

// DrawText flags.
enum : unsigned {
    DT_LEFT = 0x0, DT_TOP = 0x0, DT_CENTER = 0x1, DT_RIGHT = 0x2, DT_VCENTER = 0x4, DT_BOTTOM = 0x8,
    DT_WORDBREAK = 0x10, DT_SINGLELINE = 0x20, DT_NOCLIP = 0x100, DT_CALCRECT = 0x400,
    DT_NOPREFIX = 0x800, DT_END_ELLIPSIS = 0x8000, DT_WORD_ELLIPSIS = 0x40000,
};

class DC {
public:
    // A memory DC drawing into `target`, which must outlive it.
    explicit DC(Bitmap& target);
    DC(DC&& o) noexcept;
    DC& operator=(DC&&) = delete;
    DC(const DC&) = delete;
    virtual ~DC();

    // State. Save returns a level for Restore; Restore(-1) pops one level.
    int Save();
    void Restore(int level = -1);
    Pen SelectPen(const Pen& pen);
    Brush SelectBrush(const Brush& brush);
    Font SelectFont(const Font& font);
    const Pen& GetPen() const { return st_.pen; }
    const Brush& GetBrush() const { return st_.brush; }
    const Font& GetFont() const { return st_.font; }
    Color SetTextColor(Color c);
    Color SetBkColor(Color c);
    int SetBkMode(int mode);
    int SetROP2(int mode);
    int GetROP2() const { return st_.rop2; }

    // Viewport: logical (0, 0) lies at this offset from the DC's own origin.
    Point SetViewportOrg(Point p);
    Point OffsetViewportOrg(int dx, int dy);
    Point GetViewportOrg() const { return st_.origin; }

    // Clipping, in logical coordinates. The clip never grows past what the
    // DC was created with.
    void IntersectClipRect(const Rect& r);
    void ExcludeClipRect(const Rect& r);
    void SelectClipRegion(const Region* r);  // null: back to the initial clip
    Rect GetClipBox() const;
    bool IsVisible(const Rect& r) const;

    // Lines and figures, with the selected pen and brush.
    void MoveTo(Point p);
    void LineTo(Point p);
    Point GetCurrentPosition() const { return st_.current; }
    void Polyline(const std::vector<Point>& points);
    bool PolyBezier(const std::vector<Point>& points);  // 3n + 1 points
    void Rectangle(const Rect& r);
    void Ellipse(const Rect& r);
    void Polygon(const std::vector<Point>& points);

    // Fills and frames that take their colour directly.
    void FillSolidRect(const Rect& r, Color c);
    void FillRect(const Rect& r, const Brush& b);
    void FillRegion(const Region& rgn, const Brush& b);
    void FrameRect(const Rect& r, Color c);
    void Draw3dRect(const Rect& r, Color topLeft, Color bottomRight);
    void DrawEdge(const Rect& r, bool sunken);  // two-pixel 3-D edge
    void DrawFocusRect(const Rect& r);           // dotted, inverting: twice = gone
    void InvertRect(const Rect& r);

    // Text with the selected font and text colour. DrawText returns the
    // height of the text; with DT_CALCRECT it only measures, widening or
    // heightening `r` to fit.
    int DrawText(const std::string& text, Rect& r, unsigned format);
    int DrawText(const std::string& text, const Rect& r, unsigned format) {
        Rect copy = r;
        return DrawText(text, copy, format & ~unsigned(DT_CALCRECT));
    }
    void TextOut(int x, int y, const std::string& text);
    Size GetTextExtent(const std::string& text);
    int GetTextHeight();  // line height of the selected font

    // Copies. Pixels of `src` at (sx, sy) go to (x, y); w by h pixels.
    void BitBlt(int x, int y, int w, int h, const DC& src, int sx, int sy);
    void BitBlt(int x, int y, int w, int h, const Bitmap& src, int sx, int sy);
    // Scaled copy: the sw by sh pixels of `src` at (sx, sy) fill the w by h
    // pixels at (x, y), each destination pixel taking the source pixel under
    // its centre (nearest neighbour: no blending, so a zoomed mask stays
    // sharp). Nothing is drawn when a size is not positive.
    void StretchBlt(int x, int y, int w, int h, const Bitmap& src, int sx, int sy, int sw, int sh);
    // Where the mask pixel is set (not black) the source pixel is copied;
    // elsewhere it is OR-ed onto the destination.
    void MaskBlt(int x, int y, int w, int h, const Bitmap& src, int sx, int sy, const Bitmap& mask, int mx,
                 int my);
    // Draws an image with transparency (an icon) over what is there.
    void DrawImage(int x, int y, const Bitmap& image);

    Color GetPixel(Point p) const;
    void SetPixel(Point p, Color c);

    // The surface position of logical (0, 0), for copies between DCs.
    Point DeviceOrigin() const { return base_ + st_.origin; }
    // The surface pixels touched since creation (window DCs show them).
    Rect DirtyBounds() const { return dirty_; }

    // A surface to draw on: logical (0, 0) lies at `base`, nothing is drawn
    // outside `limit` (surface coordinates), and `done` receives the touched
    // area when the DC goes away.
    struct Target {
        Bitmap* surface;
        Point base;
        Region limit;
        std::function<void(const Rect&)> done;
    };

protected:
    explicit DC(const Target& target);

private:
    struct State {
        Pen pen;
        Brush brush;
        Font font = DefaultGuiFont();
        Color textColor{0, 0, 0};
        Color bkColor{255, 255, 255};
        int bkMode = OPAQUE;
        int rop2 = R2_COPYPEN;
        Point origin;
        Point current;
        Region clip;  // surface coordinates, always inside limit_
    };

    void Prepare();  // applies clip and origin to the Cairo context
    Region ClipOf(const Rect& logical) const;
    void Touch(const Rect& surfaceRect);
    void StrokeOrInvert(const std::function<void(_cairo*)>& path, bool fill, Color c, int width);
    void XorCoverage(const std::function<void(_cairo*)>& path, bool fill, int width, std::uint32_t k);
    void XorPixels(const Region& where, std::uint32_t k);
    std::uint32_t XorConstant(Color c) const;
    void CopyFrom(_cairo_surface* src, Point srcDevice, int x, int y, int w, int h);

    _cairo_surface* surface_ = nullptr;
    _cairo* cr_ = nullptr;
    Point base_;
    Region limit_;
    State st_;
    std::vector<State> saved_;
    Rect dirty_;
    std::function<void(const Rect&)> onDone_;
};

}  // namespace plat
